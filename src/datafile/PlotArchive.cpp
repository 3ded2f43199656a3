#include "datafile/PlotArchive.h"

#include "datafile/PlotFileNames.h"

namespace corvex {

namespace {

ArchiveResult leftInPlace(SequencerHost& host, const std::string& what, const std::string& why) {
    host.messages().show(what + "\n\r" + why, kProgramTitle, MessageIcon::Exclamation);
    return ArchiveResult::LeftInPlace;
}

ArchiveResult setAside(PlotState& state, const std::string& name, FileService& files, SequencerHost& host) {
    const std::string notSetAside = "The plotted file " + name + " was not set aside; it stays in place.";
    std::string why;
    if (files.exists(state.TmpFileName) && !files.remove(state.TmpFileName, why))
        return leftInPlace(host, notSetAside, why);
    if (!files.copy(name, state.TmpFileName, why)) return leftInPlace(host, notSetAside, why);
    const auto original = files.length(name);
    const auto copied = files.length(state.TmpFileName);
    if (!original || original != copied) {
        std::string ignored;
        files.remove(state.TmpFileName, ignored);
        return leftInPlace(host, notSetAside, "The working copy " + state.TmpFileName + " is incomplete.");
    }
    if (!files.remove(name, why))
        return leftInPlace(
            host, "The plotted file " + name + " was copied but not deleted; it stays in place.", why);
    host.setOutFileLabel("Plot File To Be Deleted");
    offerMenu(host, MenuItem::SavePlotNow, true);
    return ArchiveResult::SetAside;
}

} // namespace

ArchiveResult ArchivePlotFile(PlotState& state, const std::string& name, FileService& files,
                              SequencerHost& host) {
    if (hasDeletionMark(state.HeaderLine)) return setAside(state, name, files, host);

    std::string target = numberedName(state.PlotFilePrefix, state.PlotFileSeq, name);
    while (files.exists(target)) {
        if (state.PlotFileSeq == kLastPlotFileSeq) {
            host.messages().show("The numbered names are used up: " + target +
                                     " is taken.\n\rThe plotted file " + name +
                                     " stays in place and automatic plotting stops.",
                                 kProgramTitle, MessageIcon::Exclamation);
            return ArchiveResult::NumbersUsedUp;
        }
        ++state.PlotFileSeq;
        target = numberedName(state.PlotFilePrefix, state.PlotFileSeq, name);
    }
    std::string why;
    if (!files.rename(name, target, why))
        return leftInPlace(host, "The plotted file " + name + " was not filed away; it stays in place.", why);
    host.setOutFileLabel(joinPath(files.currentDirectory(), target));
    if (state.PlotFileSeq == kLastPlotFileSeq) {
        host.messages().show("The plotted file was filed away as " + target +
                                 ", the last numbered name.\n\rAutomatic plotting stops.",
                             kProgramTitle, MessageIcon::Exclamation);
        return ArchiveResult::NumbersUsedUp;
    }
    ++state.PlotFileSeq;
    return ArchiveResult::FiledAway;
}

} // namespace corvex
