// Compiles ui/scrapvault.rc with the cross toolchain's resource compiler and reads
// the compiled resources back, so that what the platform will load (style bits
// included, which the resource compiler may add on its own) is what the program
// expects.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ui/resource.h"

namespace {

// Values from the platform's headers, which the host build does not have.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsHScroll = 0x00100000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsThickFrame = 0x00040000;
constexpr std::uint32_t kWsGroup = 0x00020000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kDsModalFrame = 0x0080;
constexpr std::uint32_t kDsSetFont = 0x0040;
constexpr std::uint32_t kDs3dLook = 0x0004;
constexpr std::uint32_t kBsPushButton = 0x0000;
constexpr std::uint32_t kBsDefPushButton = 0x0001;
constexpr std::uint32_t kBsAutoCheckBox = 0x0003;
constexpr std::uint32_t kEsMultiLine = 0x0004;
constexpr std::uint32_t kEsAutoHScroll = 0x0080;
constexpr std::uint32_t kSsLeft = 0x0000;
constexpr std::uint32_t kSsIcon = 0x0003;
constexpr std::uint32_t kLbsNotify = 0x0001;
constexpr std::uint32_t kLbsNoIntegralHeight = 0x0100;
constexpr std::uint32_t kLbsWantKeyboardInput = 0x0400;
constexpr std::uint32_t kLbsExtendedSel = 0x0800;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtBitmap = 2;
constexpr std::uint16_t kRtMenu = 4;
constexpr std::uint16_t kRtDialog = 5;
constexpr std::uint16_t kRtString = 6;
constexpr std::uint16_t kRtAccelerator = 9;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kRtVersion = 16;

constexpr std::uint16_t kUsEnglish = 0x0409;

constexpr std::uint16_t kMfPopup = 0x0010;
constexpr std::uint16_t kMfEnd = 0x0080;

constexpr std::uint16_t kFVirtKey = 0x01;
constexpr std::uint16_t kFNoInvert = 0x02;
constexpr std::uint16_t kFShift = 0x04;
constexpr std::uint16_t kFControl = 0x08;
constexpr std::uint16_t kFAlt = 0x10;
constexpr std::uint16_t kAcceleratorLast = 0x80;

constexpr std::uint16_t kVkBack = 0x08;
constexpr std::uint16_t kVkInsert = 0x2D;
constexpr std::uint16_t kVkDelete = 0x2E;
constexpr std::uint16_t kVkF6 = 0x75;

// The predefined window classes, which a template names by ordinal.
enum class ControlClass : std::uint16_t { Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83 };

// A name in a resource or template: a number, or a text.
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::string text;
};

// Reads little-endian values and 16-bit character strings from a byte range, and
// throws (which fails the test) rather than read past its end.
class ByteReader {
public:
    ByteReader(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
        : m_bytes(bytes), m_begin(begin), m_position(begin), m_end(end) {}

    std::uint16_t Word() {
        Need(2);
        const auto value = static_cast<std::uint16_t>(m_bytes[m_position] | m_bytes[m_position + 1] << 8);
        m_position += 2;
        return value;
    }

    std::int16_t Short() { return static_cast<std::int16_t>(Word()); }

    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        const std::uint32_t high = Word();
        return low | high << 16;
    }

    std::uint8_t Byte() {
        Need(1);
        return m_bytes[m_position++];
    }

    // A zero-terminated string of 16-bit characters; the texts here are 7-bit.
    std::string Text() {
        std::string text;
        for (std::uint16_t c = Word(); c != 0; c = Word()) {
            if (c > 0x7F) throw std::runtime_error("unexpected character outside 7-bit range");
            text += static_cast<char>(c);
        }
        return text;
    }

    NameOrOrdinal Name() {
        NameOrOrdinal name;
        const std::uint16_t first = Word();
        if (first == 0xFFFF) {
            name.isOrdinal = true;
            name.ordinal = Word();
        } else if (first != 0) {
            m_position -= 2;
            name.text = Text();
        }
        return name;
    }

    // Aligns to a 32-bit boundary counted from the start of the range.
    void AlignDword() { m_position = m_begin + (m_position - m_begin + 3) / 4 * 4; }

    std::size_t Position() const { return m_position; }
    void Seek(std::size_t position) { m_position = position; }
    bool AtEnd() const { return m_position >= m_end; }

private:
    void Need(std::size_t count) const {
        if (m_position + count > m_end) throw std::out_of_range("read past the end of a resource");
    }

    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_begin;
    std::size_t m_position;
    std::size_t m_end;
};

struct ResourceKey {
    std::uint16_t type;
    std::uint16_t name;
    bool operator<(const ResourceKey& other) const {
        return type != other.type ? type < other.type : name < other.name;
    }
};

struct Resource {
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

// Every resource of a compiled .res file; the program names all of them by number.
std::map<ResourceKey, Resource> ParseResFile(const std::vector<std::uint8_t>& bytes) {
    std::map<ResourceKey, Resource> resources;
    std::size_t position = 0;
    while (position < bytes.size()) {
        ByteReader header(bytes, position, bytes.size());
        const std::uint32_t dataSize = header.Dword();
        const std::uint32_t headerSize = header.Dword();
        const NameOrOrdinal type = header.Name();
        const NameOrOrdinal name = header.Name();
        header.AlignDword();
        header.Dword();  // data version
        header.Word();   // memory flags
        const std::uint16_t language = header.Word();

        const std::size_t dataBegin = position + headerSize;
        if (dataBegin + dataSize > bytes.size()) throw std::out_of_range("truncated .res file");
        // The file opens with an empty entry that only marks the format.
        if (dataSize != 0 || type.ordinal != 0) {
            if (!type.isOrdinal || !name.isOrdinal) throw std::runtime_error("resource named by text: " + name.text);
            Resource& resource = resources[ResourceKey{type.ordinal, name.ordinal}];
            resource.language = language;
            resource.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(dataBegin),
                                 bytes.begin() + static_cast<std::ptrdiff_t>(dataBegin + dataSize));
        }
        position = (dataBegin + dataSize + 3) / 4 * 4;
    }
    return resources;
}

struct DialogControl {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::uint16_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    std::uint16_t creationDataSize = 0;
};

struct DialogTemplate {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string caption;
    std::uint16_t pointSize = 0;
    std::string typeface;
    std::vector<DialogControl> controls;
};

DialogTemplate ParseDialog(const std::vector<std::uint8_t>& data) {
    ByteReader reader(data, 0, data.size());
    DialogTemplate dialog;
    dialog.style = reader.Dword();
    dialog.exStyle = reader.Dword();
    const std::uint16_t count = reader.Word();
    dialog.x = reader.Short();
    dialog.y = reader.Short();
    dialog.width = reader.Short();
    dialog.height = reader.Short();
    dialog.menu = reader.Name();
    dialog.windowClass = reader.Name();
    dialog.caption = reader.Text();
    if (dialog.style & kDsSetFont) {
        dialog.pointSize = reader.Word();
        dialog.typeface = reader.Text();
    }
    for (std::uint16_t i = 0; i < count; ++i) {
        reader.AlignDword();
        DialogControl control;
        control.style = reader.Dword();
        control.exStyle = reader.Dword();
        control.x = reader.Short();
        control.y = reader.Short();
        control.width = reader.Short();
        control.height = reader.Short();
        control.id = reader.Word();
        control.windowClass = reader.Name();
        control.text = reader.Name();
        control.creationDataSize = reader.Word();
        reader.Seek(reader.Position() + control.creationDataSize);
        dialog.controls.push_back(control);
    }
    return dialog;
}

struct MenuEntry {
    std::string popup;  // the pop-up that holds the item
    std::string text;   // empty for a separator
    std::uint16_t id = 0;
    std::uint16_t flags = 0;  // without the end-of-level mark
};

struct Menu {
    std::vector<std::pair<std::string, std::uint16_t>> popups;  // text and flags, in order
    std::vector<MenuEntry> items;
};

Menu ParseMenu(const std::vector<std::uint8_t>& data) {
    ByteReader reader(data, 0, data.size());
    if (reader.Word() != 0) throw std::runtime_error("not a standard menu template");
    reader.Seek(reader.Position() + 2 + reader.Word());
    Menu menu;
    bool lastPopup = false;
    while (!lastPopup) {
        const std::uint16_t popupFlags = reader.Word();
        if (!(popupFlags & kMfPopup)) throw std::runtime_error("menu bar item without a pop-up");
        lastPopup = popupFlags & kMfEnd;
        const std::string popupText = reader.Text();
        menu.popups.emplace_back(popupText, static_cast<std::uint16_t>(popupFlags & ~kMfEnd));
        bool lastItem = false;
        while (!lastItem) {
            MenuEntry item;
            const std::uint16_t flags = reader.Word();
            if (flags & kMfPopup) throw std::runtime_error("nested pop-up in " + popupText);
            lastItem = flags & kMfEnd;
            item.popup = popupText;
            item.flags = static_cast<std::uint16_t>(flags & ~kMfEnd);
            item.id = reader.Word();
            item.text = reader.Text();
            menu.items.push_back(item);
        }
    }
    return menu;
}

struct Accelerator {
    std::uint16_t flags = 0;
    std::uint16_t key = 0;
    std::uint16_t command = 0;
};

std::vector<Accelerator> ParseAccelerators(const std::vector<std::uint8_t>& data) {
    ByteReader reader(data, 0, data.size());
    std::vector<Accelerator> table;
    while (!reader.AtEnd()) {
        Accelerator entry;
        entry.flags = reader.Word();
        entry.key = reader.Word();
        entry.command = reader.Word();
        reader.Word();  // padding
        table.push_back(entry);
    }
    return table;
}

// The source tree's root, found from this file's own path.
std::string SourceRoot() {
    const std::string file = __FILE__;
    const std::string here = "tests/host/ResourceScriptTest.cpp";
    if (file.size() < here.size() || file.compare(file.size() - here.size(), here.size(), here) != 0)
        throw std::runtime_error("cannot find the source tree from " + file);
    const std::string root = file.substr(0, file.size() - here.size());
    return root.empty() ? "./" : root;
}

class ResourceScript : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_resources.clear();
        const std::string root = SourceRoot();
        std::string output = (std::filesystem::temp_directory_path() / "scrapvault-resources-XXXXXX").string();
        const int descriptor = mkstemp(output.data());
        ASSERT_NE(descriptor, -1);
        close(descriptor);

        const std::string command =
            "i686-w64-mingw32-windres -I'" + root + "' '" + root + "ui/scrapvault.rc' -O res -o '" + output + "'";
        const int status = std::system(command.c_str());
        std::ifstream file(output, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::remove(output.c_str());
        ASSERT_EQ(status, 0) << command;
        s_resources = ParseResFile(bytes);
    }

    static const std::vector<std::uint8_t>& Data(std::uint16_t type, int name) {
        const auto found = s_resources.find(ResourceKey{type, static_cast<std::uint16_t>(name)});
        if (found == s_resources.end())
            throw std::runtime_error("no resource " + std::to_string(name) + " of type " + std::to_string(type));
        return found->second.data;
    }

    static DialogTemplate Dialog(int id) { return ParseDialog(Data(kRtDialog, id)); }

    static std::string String(int id) {
        const std::vector<std::uint8_t>& block = Data(kRtString, id / 16 + 1);
        ByteReader reader(block, 0, block.size());
        for (int index = 0; index < 16; ++index) {
            const std::uint16_t length = reader.Word();
            std::string text;
            for (std::uint16_t i = 0; i < length; ++i) text += static_cast<char>(reader.Word());
            if (index == id % 16) return text;
        }
        return {};
    }

    static std::map<ResourceKey, Resource> s_resources;
};

std::map<ResourceKey, Resource> ResourceScript::s_resources;

struct ExpectedControl {
    int id;
    ControlClass windowClass;
    const char* text;  // nullptr: the text is an ordinal, given in iconId
    std::uint32_t styles;
    int x, y, width, height;
    int iconId = 0;
};

void ExpectDialog(const DialogTemplate& dialog, std::uint32_t style, const char* caption, int x, int y, int width,
                  int height, const std::vector<ExpectedControl>& expected) {
    EXPECT_EQ(dialog.style, style);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(dialog.caption, caption);
    EXPECT_EQ(dialog.x, x);
    EXPECT_EQ(dialog.y, y);
    EXPECT_EQ(dialog.width, width);
    EXPECT_EQ(dialog.height, height);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.typeface, "MS Sans Serif");
    EXPECT_FALSE(dialog.menu.isOrdinal || !dialog.menu.text.empty()) << "the template names a menu";
    EXPECT_FALSE(dialog.windowClass.isOrdinal || !dialog.windowClass.text.empty()) << "the template names a class";

    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const DialogControl& control = dialog.controls[i];
        const ExpectedControl& want = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(want.id));
        EXPECT_EQ(control.id, static_cast<std::uint16_t>(want.id));
        ASSERT_TRUE(control.windowClass.isOrdinal) << control.windowClass.text;
        EXPECT_EQ(control.windowClass.ordinal, static_cast<std::uint16_t>(want.windowClass));
        if (want.text) {
            EXPECT_FALSE(control.text.isOrdinal);
            EXPECT_EQ(control.text.text, want.text);
        } else {
            EXPECT_TRUE(control.text.isOrdinal);
            EXPECT_EQ(control.text.ordinal, want.iconId);
        }
        EXPECT_EQ(control.style, kWsChild | kWsVisible | want.styles);
        EXPECT_EQ(control.exStyle, 0u);
        EXPECT_EQ(control.x, want.x);
        EXPECT_EQ(control.y, want.y);
        EXPECT_EQ(control.width, want.width);
        EXPECT_EQ(control.height, want.height);
        EXPECT_EQ(control.creationDataSize, 0);
    }
}

TEST_F(ResourceScript, DefinesExactlyTheProgramsResourcesInUsEnglish) {
    const std::vector<ResourceKey> named = {
        {kRtBitmap, IDR_MAINFRAME},
        {kRtMenu, IDR_MAINFRAME},
        {kRtDialog, IDD_ABOUTBOX},
        {kRtDialog, IDD_CLIP_FORM},
        {kRtDialog, IDD_EDIT_TEXT},
        {kRtDialog, IDD_CONFIGURE},
        {kRtString, IDR_MAINFRAME / 16 + 1},
        {kRtString, AFX_IDS_APP_TITLE / 16 + 1},
        {kRtAccelerator, IDR_MAINFRAME},
        {kRtGroupIcon, IDR_MAINFRAME},
        {kRtVersion, 1},
    };
    std::size_t images = 0;
    for (const auto& [key, resource] : s_resources) {
        EXPECT_EQ(resource.language, kUsEnglish) << "type " << key.type << ", name " << key.name;
        if (key.type == kRtIcon) ++images;
    }
    for (const ResourceKey& key : named)
        EXPECT_EQ(s_resources.count(key), 1u) << "type " << key.type << ", name " << key.name;
    EXPECT_EQ(images, 1u);
    EXPECT_EQ(s_resources.size(), named.size() + images);
}

TEST_F(ResourceScript, AboutBoxShowsTheIconVersionNoticeAndCredit) {
    const DialogTemplate about = Dialog(IDD_ABOUTBOX);

    ExpectDialog(about, kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont, "About Scrapvault", 34, 22,
                 217, 55,
                 {
                     {IDC_ABOUT_ICON, ControlClass::Static, nullptr, kSsIcon, 11, 17, 18, 20, IDR_MAINFRAME},
                     {IDC_STATIC, ControlClass::Static, "Scrapvault Version 1.7", kSsLeft | kWsGroup, 40, 10, 119, 8},
                     {IDC_STATIC, ControlClass::Static, "Copyright (C) 1996", kSsLeft | kWsGroup, 40, 25, 119, 8},
                     {kIdOk, ControlClass::Button, "OK", kBsDefPushButton | kWsGroup | kWsTabStop, 176, 6, 32, 14},
                     {IDC_STATIC, ControlClass::Static, "By the Scrapvault team", kSsLeft | kWsGroup, 114, 44, 100, 8},
                 });
}

TEST_F(ResourceScript, ClipFormIsAChildWithTheListAndThreeButtons) {
    const DialogTemplate form = Dialog(IDD_CLIP_FORM);

    ExpectDialog(form, kWsChild | kDsSetFont, "", 0, 0, 78, 27,
                 {
                     {IDC_CLIP_LIST, ControlClass::ListBox, "",
                      kWsBorder | kWsVScroll | kWsHScroll | kWsTabStop | kLbsNotify | kLbsNoIntegralHeight |
                          kLbsWantKeyboardInput | kLbsExtendedSel,
                      0, 3, 8, 9},
                     {IDC_COPY, ControlClass::Button, "&Copy", kBsDefPushButton | kWsTabStop, 7, 2, 50, 14},
                     {IDC_DELETE, ControlClass::Button, "&Delete", kBsPushButton | kWsTabStop, 14, 7, 50, 14},
                     {IDC_EDIT, ControlClass::Button, "&Edit", kBsPushButton | kWsTabStop, 28, 13, 50, 14},
                 });
}

TEST_F(ResourceScript, EditTextDialogIsSizableWithoutSystemMenuOrWantReturn) {
    const DialogTemplate editText = Dialog(IDD_EDIT_TEXT);

    ExpectDialog(editText, kWsPopup | kWsVisible | kWsCaption | kWsThickFrame | kDsSetFont | kDs3dLook, "Edit Text", 0,
                 0, 135, 88,
                 {
                     {kIdOk, ControlClass::Button, "OK", kBsDefPushButton | kWsTabStop, 13, 62, 50, 14},
                     {kIdCancel, ControlClass::Button, "Cancel", kBsPushButton | kWsTabStop, 72, 62, 50, 14},
                     {IDC_TEXT, ControlClass::Edit, "", kWsBorder | kWsVScroll | kWsHScroll | kWsTabStop | kEsMultiLine,
                      4, 5, 120, 51},
                 });
}

TEST_F(ResourceScript, ConfigureDialogHoldsTheNumberAndSixCheckBoxesInTabOrder) {
    const DialogTemplate configure = Dialog(IDD_CONFIGURE);
    constexpr std::uint32_t kCheckBox = kBsAutoCheckBox | kWsTabStop;

    ExpectDialog(
        configure, kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsSetFont, "Configure", 0, 0, 205, 89,
        {
            {kIdOk, ControlClass::Button, "OK", kBsDefPushButton | kWsTabStop, 152, 7, 50, 14},
            {kIdCancel, ControlClass::Button, "Cancel", kBsPushButton | kWsTabStop, 152, 24, 50, 14},
            {IDC_STATIC, ControlClass::Static, "Number of Clippings to Save:", kSsLeft | kWsGroup, 5, 9, 96, 8},
            {IDC_NUMBER_TO_SAVE, ControlClass::Edit, "", kWsBorder | kWsTabStop | kEsAutoHScroll, 102, 5, 18, 14},
            {IDC_NO_DUPLICATES, ControlClass::Button, "No Duplicates", kCheckBox, 13, 35, 56, 10},
            {IDC_ALWAYS_ON_TOP, ControlClass::Button, "Always On Top", kCheckBox, 13, 51, 62, 10},
            {IDC_MINIMIZE_ON_COPY, ControlClass::Button, "Minimize on Copy", kCheckBox, 13, 67, 69, 10},
            {IDC_CONFIRM_EXIT, ControlClass::Button, "Confirm Exit", kCheckBox, 88, 36, 51, 10},
            {IDC_SYSTEM_MENU_CLIPPINGS, ControlClass::Button, "System Menu Clippings", kCheckBox, 88, 68, 86, 10},
            {IDC_CONFIRM_ON_WINDOWS_EXIT, ControlClass::Button, "Confirm On Windows Exit", kCheckBox, 88, 52, 98, 10},
        });
}

TEST_F(ResourceScript, MainMenuListsTheFileAndHelpCommandsInOrder) {
    const Menu menu = ParseMenu(Data(kRtMenu, IDR_MAINFRAME));

    ASSERT_EQ(menu.popups.size(), 2u);
    EXPECT_EQ(menu.popups[0].first, "&File");
    EXPECT_EQ(menu.popups[1].first, "&Help");
    EXPECT_EQ(menu.popups[0].second, kMfPopup);
    EXPECT_EQ(menu.popups[1].second, kMfPopup);

    const std::vector<std::pair<std::string, int>> expected = {
        {"&Save All Clippings", ID_FILE_SAVE_ALL_CLIPPINGS},
        {"&Clear All Clippings", ID_FILE_CLEAR_ALL_CLIPPINGS},
        {"", 0},
        {"&Configure...", ID_FILE_CONFIGURE},
        {"", 0},
        {"E&xit", ID_APP_EXIT},
        {"&Help Topics", ID_HELP},
        {"", 0},
        {"&About", ID_APP_ABOUT},
    };
    const std::vector<std::string> popupOfItem = {"&File", "&File", "&File", "&File", "&File",
                                                  "&File", "&Help", "&Help", "&Help"};
    ASSERT_EQ(menu.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(menu.items[i].popup, popupOfItem[i]);
        EXPECT_EQ(menu.items[i].text, expected[i].first);
        EXPECT_EQ(menu.items[i].id, expected[i].second);
        EXPECT_EQ(menu.items[i].flags, 0) << "greyed, checked or otherwise marked";
        EXPECT_EQ(menu.items[i].text.find('\t'), std::string::npos) << "item shows key text";
    }
}

TEST_F(ResourceScript, AcceleratorsBindTheFourteenKeysWithoutNoInvert) {
    const std::vector<Accelerator> table = ParseAccelerators(Data(kRtAccelerator, IDR_MAINFRAME));
    const std::vector<Accelerator> expected = {
        {kFVirtKey | kFControl, 'N', ID_FILE_NEW},
        {kFVirtKey | kFControl, 'O', ID_FILE_OPEN},
        {kFVirtKey | kFControl, 'S', ID_FILE_SAVE},
        {kFVirtKey | kFControl, 'P', ID_FILE_PRINT},
        {kFVirtKey | kFControl, 'Z', ID_EDIT_UNDO},
        {kFVirtKey | kFControl, 'X', ID_EDIT_CUT},
        {kFVirtKey | kFControl, 'C', ID_EDIT_COPY},
        {kFVirtKey | kFControl, 'V', ID_EDIT_PASTE},
        {kFVirtKey | kFAlt, kVkBack, ID_EDIT_UNDO},
        {kFVirtKey | kFShift, kVkDelete, ID_EDIT_CUT},
        {kFVirtKey | kFControl, kVkInsert, ID_EDIT_COPY},
        {kFVirtKey | kFShift, kVkInsert, ID_EDIT_PASTE},
        {kFVirtKey, kVkF6, ID_NEXT_PANE},
        {kFVirtKey | kFShift, kVkF6, ID_PREV_PANE},
    };

    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const bool last = i + 1 == expected.size();
        EXPECT_EQ(table[i].flags & kAcceleratorLast, last ? kAcceleratorLast : 0);
        EXPECT_EQ(table[i].flags & ~kAcceleratorLast, expected[i].flags);
        EXPECT_EQ(table[i].flags & kFNoInvert, 0);
        EXPECT_EQ(table[i].key, expected[i].key);
        EXPECT_EQ(table[i].command, expected[i].command);
    }
}

TEST_F(ResourceScript, StringsGiveTheTitleDocumentFieldsAndIdlePrompt) {
    EXPECT_EQ(String(IDR_MAINFRAME), "Scrapvault\n\nScrapv\n\n\nScrapvault.Document\nScrapv Document");
    EXPECT_EQ(String(AFX_IDS_APP_TITLE), "Scrapvault");
    EXPECT_EQ(String(AFX_IDS_IDLEMESSAGE), "Ready");
}

}  // namespace
