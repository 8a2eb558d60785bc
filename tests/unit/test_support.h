// Helpers shared by the tests that run under Wine.
#pragma once
#include <windows.h>

#include <map>
#include <string>

// Windows path of the built saver (first command-line argument of the test program).
std::string ScrPath();
// Further arguments, by position (1 = first after the saver's path); empty when absent.
std::string TestArgument(int index);

// Redirects HKEY_CURRENT_USER of this process to a fresh private key for the lifetime of the
// object, so that registry tests neither see nor leave real values.
class RegistrySandbox {
public:
    explicit RegistrySandbox(const char* name);
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

private:
    std::string path_;
    HKEY root_ = nullptr;
};

// Every value under the saver's settings key, by name, with its type and (4-byte) data.
std::map<std::string, std::pair<DWORD, DWORD>> StoredSettings();
// Writes one value under the saver's settings key.
void StoreSetting(const char* name, DWORD value, DWORD type = REG_DWORD);

// Dispatches the messages that are waiting for this thread.
void PumpMessages();
// Pumps messages for about the given time.
void PumpFor(DWORD milliseconds);

#include <functional>
#include <vector>

// Counts the scene sounds started while it lives, through the sound observer of the scene's sound
// call, by sound number n (the resource "SOUNDnn", slot n - 1). One counter at a time.
class SoundCounter {
public:
    SoundCounter();
    ~SoundCounter();
    SoundCounter(const SoundCounter&) = delete;
    SoundCounter& operator=(const SoundCounter&) = delete;

    int Of(int number) const;  // times sound `number` started
    int Total() const;
    size_t Kinds() const { return byNumber_.size(); }  // how many different sounds started
    bool None() const { return byNumber_.empty(); }
    void Clear() { byNumber_.clear(); }

private:
    static void Observe(int slot);
    static SoundCounter* active_;
    std::map<int, int> byNumber_;
};

// Builds a throw-away module whose resources are 8-bit pictures made in memory, for tests that
// load pictures by name. The module is a copy of the given program with its resources added.
class PictureModule {
public:
    // pixel(x, y) gives the colour index; the colour table has magenta at 253 and a grey ramp elsewhere.
    void AddPicture(const std::string& name, int width, int height,
                    const std::function<unsigned char(int, int)>& pixel);
    // Writes the module next to the temp folder and loads it as data; null on failure.
    HMODULE Build(const std::string& templateProgram);
    ~PictureModule();

    static RGBQUAD TableEntry(int index);

private:
    struct Entry {
        std::string name;
        std::vector<unsigned char> data;
    };
    std::vector<Entry> entries_;
    std::string path_;
    HMODULE module_ = nullptr;
};
