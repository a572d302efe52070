// The compiled resources as the platform loads them, for what the resource compiler decides on
// its own and the program depends on: classes by number, styles its shorthand statements would
// add and the order of the controls (their tab order).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/resource.h"

namespace {
struct Control {
    DWORD style;
    int id;
    WORD classOrdinal;  // 0: a class named by a text
};

// The dialog itself (id 0), then its controls in template order.
std::vector<Control> Template(int dialogId) {
    const auto* dialog = static_cast<const DLGTEMPLATE*>(
        LockResource(LoadResource(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(dialogId), RT_DIALOG))));
    auto word = reinterpret_cast<const WORD*>(dialog + 1);
    const auto skipNameOrOrdinal = [&] {
        if (*word == 0xFFFF) return void(word += 2);
        while (*word++) {
        }
    };
    skipNameOrOrdinal(), skipNameOrOrdinal(), skipNameOrOrdinal();  // menu, class, caption
    if (dialog->style & DS_SETFONT) ++word, skipNameOrOrdinal();
    std::vector<Control> controls{{dialog->style, 0, 0}};
    for (int i = 0; i < dialog->cdit; ++i) {
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>((reinterpret_cast<std::uintptr_t>(word) + 3) &
                                                                    ~std::uintptr_t{3});  // DWORD-aligned
        word = reinterpret_cast<const WORD*>(item + 1);
        controls.push_back({item->style, static_cast<short>(item->id), word[0] == 0xFFFF ? word[1] : WORD{0}});
        skipNameOrOrdinal(), skipNameOrOrdinal();                                               // class, text
        word = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(word + 1) + *word);  // creation data
    }
    return controls;
}
}  // namespace

TEST(Resources, ControlsAreVisibleChildrenOfPredefinedClassesInTheirTabOrder) {
    for (const int dialog : {IDD_ABOUTBOX, IDD_CLIP_FORM, IDD_EDIT_TEXT, IDD_CONFIGURE}) {
        const std::vector<Control> controls = Template(dialog);
        for (std::size_t i = 1; i < controls.size(); ++i) {
            EXPECT_TRUE(controls[i].classOrdinal >= 0x80 && controls[i].classOrdinal <= 0x83) << controls[i].id;
            EXPECT_EQ(controls[i].style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE}) << controls[i].id;
        }
    }
    // Down the left column, then the right one, where "System Menu Clippings" comes before the
    // box above it.
    std::vector<int> order;
    for (const Control& control : Template(IDD_CONFIGURE)) order.push_back(control.id);
    EXPECT_EQ(order, (std::vector<int>{0, IDOK, IDCANCEL, IDC_STATIC, IDC_NUMBER_TO_SAVE, IDC_NO_DUPLICATES,
                                       IDC_ALWAYS_ON_TOP, IDC_MINIMIZE_ON_COPY, IDC_CONFIRM_EXIT,
                                       IDC_SYSTEM_MENU_CLIPPINGS, IDC_CONFIRM_ON_WINDOWS_EXIT}));
}

TEST(Resources, TheStylesTheProgramReliesOnAreThereAndNoneThatWouldChangeIt) {
    const struct {
        int dialog, id;  // id 0: the dialog itself
        DWORD wanted, unwanted;
    } cases[] = {
        {IDD_CLIP_FORM, IDC_CLIP_LIST, LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT,
         LBS_SORT | LBS_MULTIPLESEL | LBS_OWNERDRAWFIXED},
        {IDD_CLIP_FORM, IDC_COPY, BS_DEFPUSHBUTTON, 0xE},  // the low four bits are the button's kind
        {IDD_CLIP_FORM, IDC_DELETE, BS_PUSHBUTTON, 0xF},
        {IDD_EDIT_TEXT, 0, WS_THICKFRAME | WS_CAPTION, WS_SYSMENU},
        {IDD_EDIT_TEXT, IDC_TEXT, ES_MULTILINE, ES_WANTRETURN | ES_READONLY},
        {IDD_CONFIGURE, IDC_NUMBER_TO_SAVE, ES_AUTOHSCROLL, ES_NUMBER | ES_MULTILINE},
        {IDD_CONFIGURE, IDC_CONFIRM_ON_WINDOWS_EXIT, BS_AUTOCHECKBOX, 0xC},
    };
    for (const auto& c : cases) {
        for (const Control& control : Template(c.dialog)) {
            if (control.id != c.id) continue;
            EXPECT_EQ(control.style & c.wanted, c.wanted) << c.dialog << " " << c.id;
            EXPECT_EQ(control.style & c.unwanted, 0u) << c.dialog << " " << c.id;
        }
    }
}
