// acedSSGet: the selection modes an application asks for (X, A, I, L, P, W, C) and the
// host's "Select objects:" dialogue with the user (picks, windows, ALL, L, P, R/A, U, #handle).
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "databaseview.h"
#include "inputoptions.h"
#include "keywordlist.h"
#include "selectionfilter.h"
#include "selectiongeometry.h"
#include "selectionsets.h"
#include "sysvars.h"
#include "zacad/commandline.h"
#include "zacad/hostmessages.h"

namespace zacad {
namespace {

SelectionViewFactory& Factory() {
  static SelectionViewFactory factory = MakeDatabaseView;
  return factory;
}

constexpr char16_t kOptions[] =
    u"Expects a point or Window/Last/Crossing/BOX/ALL/Add/Remove/Previous/Undo/SIngle";
constexpr char16_t kKeywords[] =
    u"Window Last Crossing BOX ALL Add Remove Previous Undo SIngle _ "
    u"Window Last Crossing BOX ALL Add Remove Previous Undo SIngle";

// The mode string, without its "_" (language-independent keywords) prefix.
struct Mode {
  std::u16string letters;  // "X", "A", "I", "L", "P", "W", "C", or empty for the user's
  bool prompts = false;    // ":$"
  bool single = false;     // ":S"
};

std::optional<Mode> ParseMode(const ACHAR* str) {
  Mode mode;
  if (str == nullptr)
    return mode;
  std::u16string_view text(str);
  if (!text.empty() && text[0] == u'_')
    text.remove_prefix(1);
  for (std::u16string_view letters : {u"X", u"A", u"I", u"L", u"P", u"W", u"C"}) {
    if (text == letters) {
      mode.letters = letters;
      return mode;
    }
  }
  while (!text.empty()) {
    if (text.starts_with(u":$")) {
      mode.prompts = true;
    } else if (text.starts_with(u":S") || text.starts_with(u":s")) {
      mode.single = true;
    } else {
      return std::nullopt;
    }
    text.remove_prefix(2);
  }
  return mode;
}

// One acedSSGet call: the drawing's entities, the filter, and the set being built.
class Selection {
 public:
  Selection(const SelectionView& view, const SelectionFilter& filter)
      : view_(view), filter_(filter), entities_(view.entities()) {}

  // Entities in drawing order that pass the filter and `wanted`.
  template <typename Wanted>
  Members collect(Wanted wanted) {
    Members found;
    // Room for every entity: ALL over a large drawing takes most of them, and growing by
    // doubling would hold twice the room at the peak; the rest is given back below.
    found.reserve(entities_.size());
    for (size_t i = 0; i < entities_.size(); ++i) {
      if (wanted(i) && passes(i))
        found.push_back(entities_.name(i));
    }
    if (found.size() < found.capacity() / 2)
      found.shrink_to_fit();
    return found;
  }

  Members window(Point2 a, Point2 b, bool crossing) {
    Box box = WindowOf(a, b);
    return collect([&](size_t i) {
      return entities_.shown(i) &&
             (crossing ? CrossesWindow(geometry(i), box) : InsideWindow(geometry(i), box));
    });
  }

  Members all() {
    return collect([this](size_t i) { return entities_.shown(i); });
  }

  Members everything() {
    return collect([](size_t) { return true; });
  }

  // The newest visible entity, filtered.
  Members last() {
    for (size_t i = entities_.size(); i-- > 0;) {
      if (entities_.shown(i))
        return passes(i) ? Members{entities_.name(i)} : Members{};
    }
    return {};
  }

  // Members of `names` that still exist, in their order, filtered.
  Members existing(const Members& names) {
    Members found;
    for (const EntityName& name : names) {
      if (present(name) && passes(name))
        found.push_back(name);
    }
    return found;
  }

  // The handles of `names`, for the input source's view of the selection.
  std::vector<uint64_t> handles(const Members& names) {
    std::vector<uint64_t> found;
    found.reserve(names.size());
    for (const EntityName& name : names)
      found.push_back(view_.handle(name));
    return found;
  }

  // The visible entity nearest to `point` within the pick box (the newest on a tie).
  std::optional<EntityName> pick(Point2 point) {
    const double aperture = PickAperture();
    std::optional<size_t> nearest;
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < entities_.size(); ++i) {
      if (!entities_.shown(i))
        continue;
      double distance = DistanceTo(geometry(i), point);
      if (distance <= aperture && distance <= best && passes(i)) {
        best = distance;
        nearest = i;
      }
    }
    if (!nearest)
      return std::nullopt;
    return entities_.name(*nearest);
  }

  std::optional<EntityName> byHandle(uint64_t handle) {
    std::optional<EntityName> name = view_.named(handle);
    if (!name)
      return std::nullopt;
    if ((*name)[0] != entities_.drawing)
      return std::nullopt;
    // One name asked for: a scan, no index.
    const auto at = std::find(entities_.names.begin(), entities_.names.end(), (*name)[1]);
    if (at == entities_.names.end())
      return std::nullopt;
    const auto i = static_cast<size_t>(at - entities_.names.begin());
    if (!entities_.shown(i) || !passes(i))
      return std::nullopt;
    return name;
  }

 private:
  // Whether `name` is one of the drawing's entities. A bit for every name they have, set once
  // for all lookups: a previous selection of ALL is found in linear time.
  bool present(const EntityName& name) {
    if (name[0] != entities_.drawing || name[1] < 0 ||
        static_cast<uint64_t>(name[1]) > std::numeric_limits<uint32_t>::max()) {
      return false;
    }
    if (names_.empty() && !entities_.names.empty()) {
      names_.resize(
          static_cast<size_t>(*std::max_element(entities_.names.begin(), entities_.names.end())) +
          1);
      for (uint32_t n : entities_.names)
        names_[n] = true;
    }
    const auto second = static_cast<uint64_t>(name[1]);
    return second < names_.size() && names_[second];
  }

  bool passes(size_t i) { return passes(entities_.name(i)); }
  bool passes(const EntityName& name) {
    if (filter_.empty())
      return true;
    resbuf* list = view_.entityList(name);
    bool ok = list != nullptr && filter_.matches(list);
    acutRelRb(list);
    return ok;
  }

  // Asked of the view once per entity, and only for the entities a pick or window looks at.
  const EntityGeometry& geometry(size_t i) {
    if (geometries_.empty())
      geometries_.resize(entities_.size());
    if (!geometries_[i])
      geometries_[i] = view_.geometry(entities_.name(i));
    return *geometries_[i];
  }

  const SelectionView& view_;
  const SelectionFilter& filter_;
  const SelectableEntities entities_;
  std::vector<std::optional<EntityGeometry>> geometries_;
  std::vector<bool> names_;  // by a name's second word
};

Point2 Flat(const Point3& p) {
  return {p[0], p[1]};
}

std::u16string Count(size_t n) {
  std::u16string digits;
  for (char c : std::to_string(n))
    digits += static_cast<char16_t>(c);
  return digits;
}

// Asks for a window corner, the opposite one of `first` when given; RTNORM or RTCAN.
int AskCorner(const ACHAR* prompt, Point2& corner, const Point2* first = nullptr) {
  ads_point p;
  acedInitGet(RSG_NONULL, nullptr);
  int status;
  if (first == nullptr) {
    status = acedGetPoint(nullptr, prompt, p);
  } else {
    const ads_point base = {first->x, first->y, 0};
    status = acedGetCorner(base, prompt, p);
  }
  corner = {p[0], p[1]};
  return status == RTNORM ? RTNORM : RTCAN;
}

// The selection's members, told to the input source as they change; none once the prompt
// has ended, whichever way.
class MembersShown {
 public:
  explicit MembersShown(Selection& selection) : selection_(selection) {}
  // A source that fails to hear it only keeps a stale highlight: the selection's result, on
  // its way out, must not be lost for that.
  ~MembersShown() {
    try {
      if (InputSource* source = Viewer())
        source->selecting({});
    } catch (...) {
    }
  }
  MembersShown(const MembersShown&) = delete;
  MembersShown& operator=(const MembersShown&) = delete;

  void show(const Members& members) {
    if (InputSource* source = Viewer())
      source->selecting(selection_.handles(members));
  }

 private:
  static InputSource* Viewer() {
    InputSource* source = CommandLine::instance().source();
    return source != nullptr && source->showsSelection() ? source : nullptr;
  }

  Selection& selection_;
};

std::optional<uint64_t> ParseHandle(std::u16string_view text) {
  if (text.size() < 2 || text.size() > 17 || text[0] != u'#')
    return std::nullopt;
  uint64_t handle = 0;
  for (char16_t c : text.substr(1)) {
    int digit = (c >= u'0' && c <= u'9')   ? c - u'0'
                : (c >= u'a' && c <= u'f') ? c - u'a' + 10
                : (c >= u'A' && c <= u'F') ? c - u'A' + 10
                                           : -1;
    if (digit < 0)
      return std::nullopt;
    handle = handle * 16 + digit;
  }
  return handle;
}

const Members& PreviousOf(const void* drawing) {
  static const Members none;
  const SharedMembers& previous = Previous(drawing);
  return previous ? *previous : none;
}

// Sorted copies, not a search of the result for each name, so that ALL over a large drawing stays
// fast: a std::set would cost an allocation a name.
std::vector<EntityName> Sorted(const Members& names) {
  std::vector<EntityName> sorted(names.begin(), names.end());
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

// Appends to `result` the names of `found` it lacks, in their order, each once.
void AddNew(Members& result, Members&& found) {
  // Names in strictly rising order hold no duplicates: ALL and windows find entities in drawing
  // order, which is mostly the order of their names.
  const bool rising =
      std::adjacent_find(found.begin(), found.end(), std::greater_equal<>()) == found.end();
  if (rising && result.empty()) {
    // The first find of a selection, typically ALL: taken as it is, not copied.
    result = std::move(found);
    return;
  }
  const std::vector<EntityName> present = Sorted(result);
  if (rising) {
    result.reserve(result.size() + found.size());
    for (const EntityName& name : found) {
      if (!std::binary_search(present.begin(), present.end(), name))
        result.push_back(name);
    }
    return;
  }
  // Found names by name, then by place: the first of equal names is the one kept.
  std::vector<std::pair<EntityName, size_t>> byName;
  byName.reserve(found.size());
  for (size_t i = 0; i < found.size(); ++i)
    byName.emplace_back(found[i], i);
  std::sort(byName.begin(), byName.end());
  std::vector<bool> added(found.size(), false);
  for (size_t k = 0; k < byName.size(); ++k) {
    const EntityName& name = byName[k].first;
    if ((k == 0 || byName[k - 1].first != name) &&
        !std::binary_search(present.begin(), present.end(), name)) {
      added[byName[k].second] = true;
    }
  }
  for (size_t i = 0; i < found.size(); ++i) {
    if (added[i])
      result.push_back(found[i]);
  }
}

// The "Select objects:" dialogue. Returns RTNORM when the user ends it with Enter (or one
// successful operation in single mode), RTCAN on Escape; `members` is then left as it was.
int AskUser(Selection& selection, const Mode& mode, const ACHAR* const* prompts,
            const void* drawing, Members& members) {
  CommandLine& line = CommandLine::instance();
  const KeywordList keywords(kKeywords);
  bool removing = false;
  bool single = mode.single;
  std::vector<Members> undo;
  Members result;
  MembersShown shown(selection);
  for (;;) {
    std::u16string prompt = removing ? Message(Msg::kRemoveObjects) : Message(Msg::kSelectObjects);
    if (mode.prompts && prompts != nullptr) {
      const ACHAR* own = prompts[removing ? 1 : 0];
      prompt = own == nullptr ? u"" : own;
    }
    std::optional<std::u16string> keyword;
    std::optional<Point3> point;
    std::optional<uint64_t> handle;
    auto check = [&](const std::u16string& text) -> std::optional<std::u16string> {
      keyword.reset();
      point.reset();
      handle.reset();
      if (text.empty() || text == u"?")
        return std::nullopt;
      if ((handle = ParseHandle(text)) || (keyword = keywords.match(text)) ||
          (point = ParsePoint(text))) {
        return std::nullopt;
      }
      return Message(Msg::kInvalidSelection) + kOptions;
    };
    line.expect({InputRequest::Kind::kSelection, std::nullopt, {}});
    Answer answer = line.ask(prompt, AnswerMode::kToken, check);
    if (!answer.ok())
      return RTCAN;
    if (answer.text.empty())
      break;
    if (answer.text == u"?") {
      line.write(std::u16string(u"\n") + kOptions + u"\n");
      continue;
    }
    Members found;
    if (keyword) {
      const std::u16string& word = *keyword;
      if (word == u"Add" || word == u"Remove") {
        removing = word == u"Remove";
        continue;
      }
      if (word == u"SIngle") {
        single = true;
        continue;
      }
      if (word == u"Undo") {
        if (undo.empty()) {
          line.write(Message(Msg::kSelectionUndone));
        } else {
          result = std::move(undo.back());
          undo.pop_back();
          shown.show(result);
        }
        continue;
      }
      if (word == u"Window" || word == u"Crossing" || word == u"BOX") {
        Point2 first;
        Point2 second;
        if (AskCorner(Message(Msg::kFirstCorner).c_str(), first) != RTNORM ||
            AskCorner(Message(Msg::kOppositeCorner).c_str(), second, &first) != RTNORM) {
          return RTCAN;
        }
        bool crossing = word == u"Crossing" || (word == u"BOX" && second.x < first.x);
        found = selection.window(first, second, crossing);
      } else if (word == u"ALL") {
        found = selection.all();
      } else if (word == u"Last") {
        found = selection.last();
      } else {
        found = selection.existing(PreviousOf(drawing));
      }
    } else if (handle) {
      if (auto name = selection.byHandle(*handle))
        found.push_back(*name);
    } else if (auto name = selection.pick(Flat(*point))) {
      found.push_back(*name);
    } else if (!line.source()->isBatch() && (IntVar(u"PICKAUTO") & 1) != 0) {
      // A pick in empty space starts a window: to the right a window, to the left a
      // crossing. Scripts run without this (PICKAUTO 0), as in the host.
      const Point2 first = Flat(*point);
      Point2 second;
      if (AskCorner(Message(Msg::kOppositeCorner).c_str(), second, &first) != RTNORM)
        return RTCAN;
      found = selection.window(first, second, second.x < first.x);
    }
    undo.push_back(result);
    const size_t before = result.size();
    const size_t count = found.size();
    std::u16string message = Message(Msg::kFound, {Count(count)});
    if (removing) {
      const std::vector<EntityName> gone = Sorted(found);
      std::erase_if(result, [&](const EntityName& name) {
        return std::binary_search(gone.begin(), gone.end(), name);
      });
      if (!found.empty()) {
        message +=
            Message(Msg::kRemovedTotal, {Count(before - result.size()), Count(result.size())});
      }
    } else {
      AddNew(result, std::move(found));
      size_t duplicates = count - (result.size() - before);
      if (duplicates > 0)
        message += Message(Msg::kDuplicates, {Count(duplicates)});
      if (before > 0 && count > 0)
        message += Message(Msg::kTotal, {Count(result.size())});
    }
    line.write(u"\n" + message + u"\n");
    shown.show(result);
    if (single && !removing && count > 0)
      break;
  }
  members = std::move(result);
  return RTNORM;
}

}  // namespace

SelectionView::~SelectionView() = default;

void SetSelectionViewFactory(SelectionViewFactory factory) {
  Factory() = factory ? std::move(factory) : MakeDatabaseView;
}

}  // namespace zacad

int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const struct resbuf* filter,
              ads_name ss) {
  using namespace zacad;
  if (ss == nullptr)
    return RTERROR;
  ads_name_clear(ss);
  std::optional<SelectionFilter> parsed = SelectionFilter::Parse(filter);
  std::optional<Mode> mode = ParseMode(str);
  if (!parsed || !mode)
    return RTERROR;
  std::unique_ptr<SelectionView> view = Factory()();
  if (view == nullptr || view->drawing() == nullptr)
    return RTERROR;
  Selection selection(*view, *parsed);
  const auto* corner1 = static_cast<const ads_real*>(pt1);
  const auto* corner2 = static_cast<const ads_real*>(pt2);
  Members members;
  const std::u16string& letters = mode->letters;
  if (letters == u"X") {
    members = selection.everything();
  } else if (letters == u"A") {
    members = selection.all();
  } else if (letters == u"I") {
    members = selection.existing(PickFirst());
  } else if (letters == u"L") {
    members = selection.last();
  } else if (letters == u"P") {
    members = selection.existing(PreviousOf(view->drawing()));
  } else if (letters == u"W" || letters == u"C") {
    if (corner1 == nullptr || corner2 == nullptr)
      return RTERROR;
    members = selection.window({corner1[0], corner1[1]}, {corner2[0], corner2[1]}, letters == u"C");
  } else if (str == nullptr && corner1 != nullptr) {
    // A point and no mode: the entity at that point.
    if (auto name = selection.pick({corner1[0], corner1[1]}))
      members.push_back(*name);
  } else if (str == nullptr && pt2 == nullptr && filter == nullptr && !PickFirst().empty()) {
    // Nothing asked for in particular: what the user selected before the command, if any.
    members = selection.existing(PickFirst());
  } else {
    int status =
        AskUser(selection, *mode, static_cast<const ACHAR* const*>(pt1), view->drawing(), members);
    if (status != RTNORM)
      return status;
  }
  if (members.empty())
    return RTERROR;
  // The set and the previous selection hold the same members until the set is changed.
  auto shared = std::make_shared<Members>(std::move(members));
  if (!NewSelectionSet(shared, ss))
    return RTERROR;
  Previous(view->drawing()) = std::move(shared);
  return RTNORM;
}
