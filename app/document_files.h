#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion.h"

class QWidget;

namespace caplift {

// The application's trips to the disk, the same way as caplift-convert's: the input is streamed
// through the converter, the output written by the shared atomic writer.

// Reads the chosen input (a file, or the Info.fcpxml of an .fcpxmld bundle) and converts it, in
// the timeline mode when `placed` is given (it then tells which project was placed), showing its
// progress over `progressOver` when given and the conversion takes a while. A failure names the
// file it concerns.
ExtractResult convertChosenDocument(const std::string& chosenPath, QWidget* progressOver = nullptr,
                                    TimelineResult* placed = nullptr);

// Which cues the preview shows: the elements that give them, the roles the user unticked, and
// the styles kept.
struct CueChoice {
  CueSource source = CueSource::kTitles;
  std::vector<std::string> droppedRoles;
  StyleSet styles = 0;                 // kept as tags
  std::optional<std::string> project;  // the one the timeline mode places; else the first
};

// As above, showing the cues `choice` keeps; `report` gets what the conversion found.
ExtractResult convertChosenDocument(const std::string& chosenPath, QWidget* progressOver,
                                    TimelineResult* placed, const CueChoice& choice,
                                    ConversionReport* report);

// Writes `text` to `target` whole or not at all. Refuses a target that is the chosen input's
// document itself, before anything is written.
std::optional<ConversionFailure> writeSubtitles(const std::string& target, std::string_view text,
                                                const std::string& chosenPath);

// Converts the chosen input again, as `options` say, straight into `target`, whole or not at all;
// for a format other than the one the preview shows.
std::optional<ConversionFailure> exportSubtitles(const std::string& target,
                                                 const std::string& chosenPath,
                                                 const ConversionOptions& options,
                                                 QWidget* progressOver = nullptr);

}  // namespace caplift
