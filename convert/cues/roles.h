#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/cues/cue.h"
#include "convert/cues/cue_writer.h"

namespace caplift {

// Which elements give cues.
enum class CueSource : std::uint8_t { kTitles, kCaptions, kAll };

inline bool takesTitles(CueSource source) {
  return source != CueSource::kCaptions;
}
inline bool takesCaptions(CueSource source) {
  return source != CueSource::kTitles;
}

// The cue's role: its element's own, or "Titles" / "Captions" when that is missing or blank.
std::string_view roleOf(const Cue& cue);

// Whether `wanted` (as the user typed it) names `role`: the role itself, its name, or for a
// caption role its name and language, ignoring ASCII case.
bool roleMatches(std::string_view role, std::string_view wanted);

// A role and how many cues have it.
struct RoleCount {
  std::string role;
  std::size_t cues = 0;
};

// Counts cues by role, the roles in the order of their first cue.
class RoleTally {
 public:
  // Returns the role's place among the roles.
  std::size_t add(std::string_view role);
  const std::vector<RoleCount>& roles() const { return roles_; }

 private:
  std::vector<RoleCount> roles_;
  std::size_t last_ = 0;  // most cues have the role of the one before
};

// Which cues go on to the writer: those whose role one of `wanted` names (all when none), less
// those whose role is exactly one of `dropped`. Counts every cue it sees by role.
class RoleFilter {
 public:
  RoleFilter(const std::vector<std::string>& wanted, const std::vector<std::string>& dropped);
  bool keeps(const Cue& cue);
  const std::vector<RoleCount>& present() const { return tally_.roles(); }

 private:
  std::vector<std::string> wanted_;
  std::vector<std::string> dropped_;
  RoleTally tally_;
  std::vector<bool> kept_;  // by role, in the tally's order
};

// Writes, instead of subtitles, each role with the number of its cues: "ROLE<TAB>COUNT" lines.
class RoleListWriter final : public CueWriter {
 public:
  // `dropsEmpty`: leave out the cues the format leaves out, those that end where they start.
  explicit RoleListWriter(bool dropsEmpty) : dropsEmpty_(dropsEmpty) {}
  void begin(CueOutput&) override {}
  void cue(CueOutput& out, std::size_t number, const Cue& cue) override;
  void end(CueOutput& out) override;

 private:
  bool dropsEmpty_;
  RoleTally tally_;
};

}  // namespace caplift
