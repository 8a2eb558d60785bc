#include "dialogs/dialog_harness.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/more_options_dialog.h"
#include "settings/settings.h"
#include "unit/test_support.h"

HMODULE SaverModule() {
    static HMODULE module = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

COLORREF PreviewColour(int index) {
    const RGBQUAD q = PictureModule::TableEntry(index);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

namespace {

constexpr int kPreviewWidth = 262;
constexpr int kPreviewHeight = 169;

std::vector<unsigned char> PlainPicture(int index) {
    const int stride = (kPreviewWidth + 3) & ~3;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = kPreviewWidth;
    header.biHeight = kPreviewHeight;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * kPreviewHeight);
    header.biClrUsed = 256;
    std::vector<unsigned char> data(sizeof header + 256 * sizeof(RGBQUAD) + header.biSizeImage,
                                    static_cast<unsigned char>(index));
    std::memcpy(data.data(), &header, sizeof header);
    auto* table = reinterpret_cast<RGBQUAD*>(data.data() + sizeof header);
    for (int i = 0; i < 256; ++i)
        table[i] = PictureModule::TableEntry(i);
    return data;
}

std::string Narrow(const WCHAR* text) {
    char buffer[512] = "";
    WideCharToMultiByte(1252, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

// Template reader over the resource bytes; every read checks the end of the data.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    void Align() { at_ = (at_ + 3) & ~static_cast<size_t>(3); }
    WORD Word() {
        WORD w = 0;
        Copy(&w, sizeof w);
        return w;
    }
    DWORD Dword() {
        DWORD d = 0;
        Copy(&d, sizeof d);
        return d;
    }
    short Short() { return static_cast<short>(Word()); }
    // A string or an ordinal (0xFFFF then the number) or nothing (0x0000).
    std::string StringOrOrdinal(int* ordinal = nullptr) {
        const WORD first = Word();
        if (first == 0xFFFF) {
            const WORD number = Word();
            if (ordinal)
                *ordinal = number;
            return "#" + std::to_string(number);
        }
        std::wstring text;
        for (WORD c = first; ok_ && c != 0; c = Word())
            text.push_back(static_cast<wchar_t>(c));
        return Narrow(text.c_str());
    }
    void Skip(size_t bytes) {
        if (at_ + bytes > size_)
            ok_ = false;
        else
            at_ += bytes;
    }

private:
    void Copy(void* out, size_t bytes) {
        if (!ok_ || at_ + bytes > size_) {
            ok_ = false;
            return;
        }
        std::memcpy(out, data_ + at_, bytes);
        at_ += bytes;
    }
    const BYTE* data_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

std::string ClassName(TemplateReader& r) {
    int atom = 0;
    std::string name = r.StringOrOrdinal(&atom);
    switch (atom) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return name;
    }
}

}  // namespace

PreviewModule::PreviewModule(const std::map<int, int>& colourIndexByNumber) {
    // Our own test program carries no pictures at all; it gets the dialog template and the
    // pictures asked for (removing resources from a copy of the saver is not reliable under Wine).
    char self[MAX_PATH], folder[MAX_PATH], file[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "qbd", 0, file);
    path_ = file;
    if (!CopyFileA(self, path_.c_str(), FALSE))
        return;

    HRSRC dialog = FindResourceA(SaverModule(), MAKEINTRESOURCEA(IDD_MORE_OPTIONS), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!dialog)
        return;
    HANDLE update = BeginUpdateResourceA(path_.c_str(), FALSE);
    if (!update)
        return;
    const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    UpdateResourceA(update, reinterpret_cast<LPCSTR>(RT_DIALOG), MAKEINTRESOURCEA(IDD_MORE_OPTIONS), neutral,
                    LockResource(LoadResource(SaverModule(), dialog)), SizeofResource(SaverModule(), dialog));
    for (const auto& [number, index] : colourIndexByNumber) {
        char name[8];
        wsprintfA(name, "HG%02d", number);
        std::vector<unsigned char> picture = PlainPicture(index);
        UpdateResourceA(update, reinterpret_cast<LPCSTR>(RT_BITMAP), name, neutral, picture.data(),
                        static_cast<DWORD>(picture.size()));
    }
    if (!EndUpdateResourceA(update, FALSE))
        return;
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

PreviewModule::~PreviewModule() {
    if (module_)
        FreeLibrary(module_);
    DeleteFileA(path_.c_str());
}

bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* out) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!found)
        return false;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    if (!data)
        return false;
    TemplateReader r(data, SizeofResource(module, found));
    DialogTemplate& t = *out;

    WORD count = 0;
    t.extended = r.Word() == 1 && r.Word() == 0xFFFF;
    if (t.extended) {
        r.Dword();  // help id
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        r = TemplateReader(data, SizeofResource(module, found));
        t.style = r.Dword();
        t.exStyle = r.Dword();
    }
    count = r.Word();
    t.x = r.Short();
    t.y = r.Short();
    t.cx = r.Short();
    t.cy = r.Short();
    r.StringOrOrdinal();  // menu
    r.StringOrOrdinal();  // class
    t.title = r.StringOrOrdinal();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Word();
        if (t.extended) {
            r.Word();  // weight
            r.Word();  // italic and character set
        }
        t.fontName = r.StringOrOrdinal();
    }

    for (WORD i = 0; i < count && r.ok(); ++i) {
        TemplateControl c;
        r.Align();
        if (t.extended) {
            r.Dword();  // help id
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = t.extended ? static_cast<int>(r.Dword()) : static_cast<short>(r.Word());
        c.className = ClassName(r);
        c.text = r.StringOrOrdinal();
        r.Skip(r.Word());
        t.controls.push_back(c);
    }
    return r.ok() && t.controls.size() == count;
}

namespace {

struct ThreadDialogSearch {
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ThreadDialogSearch*>(param);
    char className[32] = "", title[128] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (IsWindowVisible(window) && std::strcmp(className, "#32770") == 0 &&
        (!search->title || std::strcmp(title, search->title) == 0)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadDialog(const char* title) {
    ThreadDialogSearch search{title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ModalScript* ModalScript::current_ = nullptr;

ModalScript& ModalScript::Then(const char* title, std::function<void(HWND)> action) {
    steps_.push_back({title, std::move(action)});
    return *this;
}

void ModalScript::Start() {
    current_ = this;
    started_ = GetTickCount();
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

ModalScript::~ModalScript() {
    if (timer_)
        KillTimer(nullptr, timer_);
    if (current_ == this)
        current_ = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* script = current_;
    if (!script || script->Finished())
        return;
    HWND dialog = FindThreadDialog(script->steps_[script->next_].title.c_str());
    if (!dialog) {
        // A dialog that never comes would leave the test stuck in a modal loop: close whatever is up.
        if (GetTickCount() - script->started_ > 10000) {
            ADD_FAILURE() << "no dialog \"" << script->steps_[script->next_].title << "\" appeared";
            script->next_ = script->steps_.size();
            while (HWND open = FindThreadDialog(nullptr)) {
                EndDialog(open, -2);
                ShowWindow(open, SW_HIDE);
            }
        }
        return;
    }
    // Take the step before acting: the action may open a nested modal loop that ticks again.
    std::function<void(HWND)> action = script->steps_[script->next_].action;
    ++script->next_;
    action(dialog);
}

IntlSettings::IntlSettings(const char* iTime, const char* morning, const char* evening) {
    const std::pair<const char*, const char*> wanted[] = {{"iTime", iTime}, {"s1159", morning}, {"s2359", evening}};
    for (const auto& w : wanted) {
        char value[64];
        // A marker that no real entry holds tells "absent" from "empty".
        GetProfileStringA("intl", w.first, "\x01", value, sizeof value);
        const bool present = std::strcmp(value, "\x01") != 0;
        saved_.push_back({w.first, present, present ? value : ""});
        WriteProfileStringA("intl", w.first, w.second);
    }
}

IntlSettings::~IntlSettings() {
    for (const Entry& e : saved_)
        WriteProfileStringA("intl", e.key, e.present ? e.value.c_str() : nullptr);
}

std::string DialogItemText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void ExpectControls(const DialogTemplate& t, const std::vector<ExpectedControl>& table) {
    ASSERT_EQ(t.controls.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        const ExpectedControl& e = table[i];
        const TemplateControl& c = t.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(e.id));
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(lstrcmpiA(c.className.c_str(), e.className), 0) << c.className << " is no " << e.className;
        EXPECT_EQ(c.style & e.typeMask, e.type);
        EXPECT_EQ(c.style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
        EXPECT_EQ((c.style & WS_DISABLED) != 0, e.disabled);
        EXPECT_EQ(c.exStyle, e.exStyle);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.cx, e.cx);
        EXPECT_EQ(c.cy, e.cy);
        if (e.text) {
            EXPECT_EQ(c.text, e.text);
        }
    }
}
