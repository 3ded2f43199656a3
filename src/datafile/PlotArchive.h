#pragma once
// Filing a plotted file away: under the next free numbered name, or, when its first line carries
// the deletion mark, as the working copy that "SaveData" can keep.

#include "datafile/SequencerHost.h"
#include "model/PlotState.h"
#include "platform/FileService.h"

#include <string>

namespace corvex {

inline constexpr int16_t kLastPlotFileSeq = 32767;

// Where plotted files go: numbered names, and the working copy TmpFileName for marked files.
struct ArchivePlaces {
    PlotFileNumbering& numbering;
    const std::string& TmpFileName;
};

// Files away `name`, a bare name in the current directory, after it was plotted (`headerLine` is its
// line 1). A marked file is deleted only once its copy to TmpFileName has the file's length. The
// numbered name skips names already taken, also one taken by another program between the check and
// the rename; PlotFileSeq ends one above the name used and never passes kLastPlotFileSeq
// (NumbersUsedUp, with a message, whether or not the last number was used).
ArchiveResult ArchivePlotFile(const std::string& headerLine, const std::string& name, ArchivePlaces places,
                              FileService& files, SequencerHost& host);

} // namespace corvex
