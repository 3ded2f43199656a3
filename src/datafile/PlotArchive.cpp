#include "datafile/PlotArchive.h"

#include "datafile/PlotFileNames.h"

namespace corvex {

namespace {

ArchiveResult leftInPlace(SequencerHost& host, const std::string& what, const std::string& why) {
    host.messages().show(what + "\n\r" + why, kProgramTitle, MessageIcon::Exclamation);
    return ArchiveResult::LeftInPlace;
}

// The plotted file is no longer there (another program removed or moved it), so there is nothing
// to file away; the plot stays on screen.
ArchiveResult vanished(SequencerHost& host, const std::string& name) {
    host.messages().show("The plotted file " + name +
                             " was removed by another program before it could be filed away.",
                         kProgramTitle, MessageIcon::Exclamation);
    return ArchiveResult::Vanished;
}

// A failed step of setting aside: the file stays; "SaveData" goes when no working copy is left
// for it to save (the earlier one was deleted to make room for this file).
ArchiveResult notSetAside(const std::string& TmpFileName, const std::string& name, FileService& files,
                          SequencerHost& host, const std::string& what, const std::string& why) {
    if (!files.exists(TmpFileName)) offerMenu(host, MenuItem::SavePlotNow, false);
    if (!files.exists(name)) return vanished(host, name);
    return leftInPlace(host, what, why);
}

ArchiveResult setAside(const std::string& TmpFileName, const std::string& name, FileService& files,
                       SequencerHost& host) {
    const std::string notCopied = "The plotted file " + name + " was not set aside; it stays in place.";
    std::string why;
    if (files.exists(TmpFileName) && !files.remove(TmpFileName, why))
        return notSetAside(TmpFileName, name, files, host, notCopied, why);
    if (!files.copy(name, TmpFileName, why))
        return notSetAside(TmpFileName, name, files, host, notCopied, why);
    const auto original = files.length(name);
    const auto copied = files.length(TmpFileName);
    if (!original || original != copied) {
        std::string ignored;
        files.remove(TmpFileName, ignored);
        return notSetAside(TmpFileName, name, files, host, notCopied,
                           "The working copy " + TmpFileName + " is incomplete.");
    }
    if (!files.remove(name, why))
        return notSetAside(TmpFileName, name, files, host,
                           "The plotted file " + name + " was copied but not deleted; it stays in place.",
                           why);
    host.setOutFileLabel("Plot File To Be Deleted");
    offerMenu(host, MenuItem::SavePlotNow, true);
    return ArchiveResult::SetAside;
}

} // namespace

ArchiveResult ArchivePlotFile(const std::string& headerLine, const std::string& name, ArchivePlaces places,
                              FileService& files, SequencerHost& host) {
    if (hasDeletionMark(headerLine)) return setAside(places.TmpFileName, name, files, host);
    PlotFileNumbering& numbering = places.numbering;

    for (;;) {
        const std::string target = numberedName(numbering.PlotFilePrefix, numbering.PlotFileSeq, name);
        if (!files.exists(target)) {
            std::string why;
            if (files.rename(name, target, why)) {
                host.setOutFileLabel(joinPath(files.currentDirectory(), target));
                if (numbering.PlotFileSeq == kLastPlotFileSeq) {
                    host.messages().show("The plotted file was filed away as " + target +
                                             ", the last numbered name.\n\rAutomatic plotting stops.",
                                         kProgramTitle, MessageIcon::Exclamation);
                    return ArchiveResult::NumbersUsedUp;
                }
                ++numbering.PlotFileSeq;
                return ArchiveResult::FiledAway;
            }
            if (!files.exists(name)) return vanished(host, name);
            if (!files.exists(target))
                return leftInPlace(
                    host, "The plotted file " + name + " was not filed away; it stays in place.", why);
            // Another program took the name between the check and the rename: go on to the next one.
        }
        if (numbering.PlotFileSeq == kLastPlotFileSeq) {
            host.messages().show("The numbered names are used up: " + target +
                                     " is taken.\n\rThe plotted file " + name +
                                     " stays in place and automatic plotting stops.",
                                 kProgramTitle, MessageIcon::Exclamation);
            return ArchiveResult::NumbersUsedUp;
        }
        ++numbering.PlotFileSeq;
    }
}

} // namespace corvex
