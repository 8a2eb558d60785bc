// What the dialog tests share: the saver's resources as a data module, a reader for dialog
// templates, a driver for modal dialogs, and temporary win.ini [intl] values.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// The built saver loaded as data: its dialog templates and pictures, none of its code.
HMODULE SaverModule();

// A module with the more-options template and, of the background previews "HG01".."HG04", only
// the numbers given: each a plain picture of 262 x 169 in the colour-table entry given.
class PreviewModule {
public:
    explicit PreviewModule(const std::map<int, int>& colourIndexByNumber);
    ~PreviewModule();
    PreviewModule(const PreviewModule&) = delete;
    PreviewModule& operator=(const PreviewModule&) = delete;
    HMODULE module() const { return module_; }

private:
    std::string path_;
    HMODULE module_ = nullptr;
};

// The colour a picture of PreviewModule shows for a colour-table entry.
COLORREF PreviewColour(int index);

struct TemplateControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;  // system classes by their names ("Button", "Static", ...)
    std::string text;       // code page 1252; an ordinal reads as "#<number>"
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string title;
    int pointSize = 0;
    std::string fontName;
    std::vector<TemplateControl> controls;
};

// Reads a DIALOG or DIALOGEX resource; false when it is missing or malformed.
bool ReadDialogTemplate(HMODULE module, int id, DialogTemplate* out);

// The visible dialog of this thread with the given title, or null.
HWND FindThreadDialog(const char* title);

// Runs modal dialogs: each step waits until a dialog with its title is up in this thread, then
// acts on it. Steps run from a thread timer, so they also reach dialogs nested in other steps.
class ModalScript {
public:
    ModalScript& Then(const char* title, std::function<void(HWND)> action);
    // Installs the timer; it stays until every step has run or the object is destroyed.
    void Start();
    bool Finished() const { return next_ == steps_.size(); }
    ~ModalScript();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    struct Step {
        std::string title;
        std::function<void(HWND)> action;
    };
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    DWORD started_ = 0;
    static ModalScript* current_;
};

// Sets win.ini [intl] iTime, s1159 and s2359 for its lifetime and puts the old entries back.
class IntlSettings {
public:
    IntlSettings(const char* iTime, const char* morning, const char* evening);
    ~IntlSettings();

private:
    struct Entry {
        const char* key;
        bool present;
        std::string value;
    };
    std::vector<Entry> saved_;
};

// The values stored under the settings key: name -> (type, data).

std::string DialogItemText(HWND dialog, int id);

// One row of a dialog's control table: the kind is the class and the bits under typeMask.
struct ExpectedControl {
    int id;
    const char* className;
    DWORD typeMask;
    DWORD type;
    short x, y, cx, cy;
    const char* text;  // null: not looked at (the dialog sets it at start)
    bool disabled;
    DWORD exStyle;
};

// Compares the template's controls, in order, with the table.
void ExpectControls(const DialogTemplate& t, const std::vector<ExpectedControl>& table);
