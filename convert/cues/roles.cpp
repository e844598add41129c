#include "convert/cues/roles.h"

#include <algorithm>

#include "convert/cues/cue_text.h"

namespace caplift {

namespace {

constexpr std::string_view kCaptionFormat = "?captionFormat=";

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string_view roleOf(const Cue& cue) {
  if (!trimWhiteSpace(cue.role).empty()) return cue.role;
  return cue.kind == CueKind::kCaption ? "Captions" : "Titles";
}

bool roleMatches(std::string_view role, std::string_view wanted) {
  wanted = trimWhiteSpace(wanted);
  if (equalIgnoringCase(role, wanted)) return true;
  const std::size_t format = role.find(kCaptionFormat);
  if (format == std::string_view::npos) {
    return equalIgnoringCase(role.substr(0, role.find('.')), wanted);
  }
  const std::string_view name = role.substr(0, format);
  if (equalIgnoringCase(name, wanted)) return true;
  const std::size_t dot = role.find('.', format + kCaptionFormat.size());
  if (dot == std::string_view::npos) return false;
  const std::string_view language = role.substr(dot + 1);
  return wanted.size() == name.size() + 1 + language.size() &&
         equalIgnoringCase(wanted.substr(0, name.size()), name) && wanted[name.size()] == '.' &&
         equalIgnoringCase(wanted.substr(name.size() + 1), language);
}

std::size_t RoleTally::add(std::string_view role) {
  if (last_ < roles_.size() && roles_[last_].role == role) {
    ++roles_[last_].cues;
    return last_;
  }
  const auto found = std::find_if(roles_.begin(), roles_.end(),
                                  [&](const RoleCount& count) { return count.role == role; });
  last_ = static_cast<std::size_t>(found - roles_.begin());
  if (found == roles_.end()) roles_.push_back({std::string(role), 0});
  ++roles_[last_].cues;
  return last_;
}

RoleFilter::RoleFilter(const std::vector<std::string>& wanted,
                       const std::vector<std::string>& dropped)
    : wanted_(wanted), dropped_(dropped) {}

bool RoleFilter::keeps(const Cue& cue) {
  const std::string_view role = roleOf(cue);
  const std::size_t index = tally_.add(role);
  // Decided once for every role.
  if (index == kept_.size()) {
    const bool named = wanted_.empty() || std::any_of(wanted_.begin(), wanted_.end(), [&](auto& w) {
                         return roleMatches(role, w);
                       });
    kept_.push_back(named && std::find(dropped_.begin(), dropped_.end(), role) == dropped_.end());
  }
  return kept_[index];
}

void RoleListWriter::cue(CueOutput&, std::size_t, const Cue& cue) {
  if (!(dropsEmpty_ && cue.end <= cue.start)) tally_.add(roleOf(cue));
}

void RoleListWriter::end(CueOutput& out) {
  std::string& text = out.text();
  for (const RoleCount& count : tally_.roles()) {
    text += count.role;
    text += '\t';
    text += std::to_string(count.cues);
    text += '\n';
  }
}

}  // namespace caplift
