// The compiled resources, as the platform loads them: what the resource compiler decides on
// its own (the classes it writes, styles its shorthand statements add, the order of controls,
// the flags of keys) and the program's behaviour depends on.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/resource.h"

namespace {
struct Control {
    DWORD style;
    int id;
    WORD classOrdinal;  // 0: the class is named by a text
};

// The controls of a dialog template, in template (and so tab) order; the dialog's own style too.
std::vector<Control> ControlsOf(int dialogId, DWORD* dialogStyle = nullptr) {
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(5));  // RT_DIALOG
    const auto* dialog = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, found)));
    if (dialogStyle) *dialogStyle = dialog->style;
    auto word = reinterpret_cast<const WORD*>(dialog + 1);
    const auto skipNameOrOrdinal = [&] {
        if (*word == 0xFFFF)
            word += 2;
        else
            while (*word++) {
            }
    };
    skipNameOrOrdinal();  // menu
    skipNameOrOrdinal();  // class
    skipNameOrOrdinal();  // caption
    if (dialog->style & DS_SETFONT) ++word, skipNameOrOrdinal();
    std::vector<Control> controls;
    for (int i = 0; i < dialog->cdit; ++i) {
        const auto address = (reinterpret_cast<std::uintptr_t>(word) + 3) & ~std::uintptr_t{3};
        const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(address);
        word = reinterpret_cast<const WORD*>(item + 1);
        controls.push_back({item->style, static_cast<short>(item->id), word[0] == 0xFFFF ? word[1] : WORD{0}});
        skipNameOrOrdinal();                                                                    // class
        skipNameOrOrdinal();                                                                    // text
        word = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(word + 1) + *word);  // creation data
    }
    return controls;
}

std::vector<int> IdsOf(int dialogId) {
    std::vector<int> ids;
    for (const Control& control : ControlsOf(dialogId)) ids.push_back(control.id);
    return ids;
}
}  // namespace

TEST(Resources, ControlsArePredefinedClassesByNumberVisibleChildrenInTheirTabOrder) {
    for (const int dialog : {IDD_ABOUTBOX, IDD_CLIP_FORM, IDD_EDIT_TEXT, IDD_CONFIGURE}) {
        for (const Control& control : ControlsOf(dialog)) {
            EXPECT_TRUE(control.classOrdinal >= 0x80 && control.classOrdinal <= 0x83) << dialog << " " << control.id;
            EXPECT_EQ(control.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE}) << control.id;
        }
    }
    EXPECT_EQ(IdsOf(IDD_CLIP_FORM), (std::vector<int>{IDC_CLIP_LIST, IDC_COPY, IDC_DELETE, IDC_EDIT}));
    // Down the left column, then the right one from its top, then "System Menu Clippings" before
    // the box above it.
    EXPECT_EQ(IdsOf(IDD_CONFIGURE), (std::vector<int>{IDOK, IDCANCEL, IDC_STATIC, IDC_NUMBER_TO_SAVE, IDC_NO_DUPLICATES,
                                                      IDC_ALWAYS_ON_TOP, IDC_MINIMIZE_ON_COPY, IDC_CONFIRM_EXIT,
                                                      IDC_SYSTEM_MENU_CLIPPINGS, IDC_CONFIRM_ON_WINDOWS_EXIT}));
}

TEST(Resources, TheStylesTheProgramReliesOnAreThereAndNoneThatWouldChangeIt) {
    const struct {
        int dialog, id;  // id 0: the dialog itself
        DWORD wanted, unwanted;
    } cases[] = {
        {IDD_CLIP_FORM, IDC_CLIP_LIST, LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT,
         LBS_SORT | LBS_MULTIPLESEL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS},
        {IDD_CLIP_FORM, IDC_COPY, BS_DEFPUSHBUTTON, 0xE},
        {IDD_CLIP_FORM, IDC_DELETE, 0, 0xF},
        {IDD_EDIT_TEXT, IDC_TEXT, ES_MULTILINE, ES_WANTRETURN | ES_READONLY},
        {IDD_EDIT_TEXT, IDOK, BS_DEFPUSHBUTTON, 0xE},
        {IDD_EDIT_TEXT, 0, WS_THICKFRAME | WS_CAPTION, WS_SYSMENU},
        {IDD_CONFIGURE, IDC_NUMBER_TO_SAVE, ES_AUTOHSCROLL, ES_NUMBER | ES_MULTILINE},
        {IDD_CONFIGURE, IDC_NO_DUPLICATES, BS_AUTOCHECKBOX, 0xC},
        {IDD_CONFIGURE, IDC_CONFIRM_ON_WINDOWS_EXIT, BS_AUTOCHECKBOX, 0xC},
    };
    for (const auto& c : cases) {
        DWORD style = 0;
        for (const Control& control : ControlsOf(c.dialog, &style))
            if (control.id == c.id) style = control.style;
        EXPECT_EQ(style & c.wanted, c.wanted) << c.dialog << " " << c.id;
        EXPECT_EQ(style & c.unwanted, 0u) << c.dialog << " " << c.id;
    }
}

TEST(Resources, EveryKeyOfTheMainWindowIsAVirtualKeyThatShowsItsMenu) {
    ACCEL keys[32];
    const int count =
        CopyAcceleratorTableA(LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME)), keys, 32);
    EXPECT_EQ(count, 14);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(keys[i].fVirt & (FVIRTKEY | FNOINVERT), FVIRTKEY) << keys[i].key;
        if (keys[i].key == 'C') {
            EXPECT_EQ(keys[i].fVirt, FVIRTKEY | FCONTROL);
        }
    }
}
