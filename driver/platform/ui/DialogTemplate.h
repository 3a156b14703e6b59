#pragma once
// A dialog described as data: the numbered controls, their kinds, labels,
// positions in dialog units and initial states. Templates live in
// resources/templates; the Dialog base class builds its control models from one.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::ui {

enum class ControlKind {
    Static,
    Edit,
    NumericEdit,
    Spin,
    Combo,
    Check,
    Radio,
    Button,
    Group,
    List,
    Progress,
    Graph,
    Grid,
};

// Dialog units: a quarter of the dialog font's average character width
// horizontally, an eighth of its height vertically.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Initial states and styles; combine with '|'.
enum ControlStyle : std::uint32_t {
    StyleNone = 0,
    Disabled = 1u << 0,
    Hidden = 1u << 1,
    ReadOnly = 1u << 2,
    AlignCentre = 1u << 3,
    AlignRight = 1u << 4,
    Checked = 1u << 5,
    DefaultButton = 1u << 6,
    GroupStart = 1u << 7,  // the first radio button of a group
    ListCheckBoxes = 1u << 8,
    ListFullRowSelect = 1u << 9,
    ListGridLines = 1u << 10,
    ListHeaderClickable = 1u << 11,
    Sunken = 1u << 12,  // a static drawn with a sunken border
};

inline constexpr int kNoId = -1;  // labels and frames that nobody addresses

struct ControlTemplate {
    int id = kNoId;
    ControlKind kind = ControlKind::Static;
    std::string text;
    Rect rect;
    std::uint32_t style = StyleNone;
    int maxLength = 0;  // edits: 0 means unlimited
    int buddy = 0;      // spin buttons: the edit they step
};

struct DialogTemplate {
    int id = 0;
    std::string title;
    int width = 0;  // dialog units
    int height = 0;
    std::vector<ControlTemplate> controls;
};

}  // namespace platform::ui
