#include "unit/test_support.h"

#include "gfx/resources.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstring>

std::string ScrPath() {
    return TestArgument(0);
}

std::string TestArgument(int index) {
    const std::vector<std::string> args = ::testing::internal::GetArgvs();
    const size_t at = static_cast<size_t>(index) + 1;
    return at < args.size() ? args[at] : std::string();
}

RegistrySandbox::RegistrySandbox(const char* name) : path_(std::string("Software\\QuellbrandTests\\") + name) {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, root_);
}

RegistrySandbox::~RegistrySandbox() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (root_)
        RegCloseKey(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
}

std::map<std::string, std::pair<DWORD, DWORD>> StoredSettings() {
    std::map<std::string, std::pair<DWORD, DWORD>> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0, data = 0, dataSize = sizeof data;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        values[name] = {type, data};
    }
    RegCloseKey(key);
    return values;
}

void StoreSetting(const char* name, DWORD value, DWORD type) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyName, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

SoundCounter* SoundCounter::active_ = nullptr;

SoundCounter::SoundCounter() {
    active_ = this;
    SetSoundObserver(Observe);
}

SoundCounter::~SoundCounter() {
    if (active_ == this) {
        SetSoundObserver(nullptr);
        active_ = nullptr;
    }
}

void SoundCounter::Observe(int slot) {
    if (active_)
        active_->byNumber_[slot + 1] += 1;
}

int SoundCounter::Of(int number) const {
    const auto found = byNumber_.find(number);
    return found == byNumber_.end() ? 0 : found->second;
}

int SoundCounter::Total() const {
    int total = 0;
    for (const auto& entry : byNumber_)
        total += entry.second;
    return total;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        PumpMessages();
        Sleep(5);
    }
    PumpMessages();
}

RGBQUAD PictureModule::TableEntry(int index) {
    if (index == 253)
        return RGBQUAD{255, 0, 255, 0};
    const BYTE v = static_cast<BYTE>(index);
    return RGBQUAD{v, static_cast<BYTE>(255 - v), static_cast<BYTE>(v / 2), 0};
}

void PictureModule::AddPicture(const std::string& name, int width, int height,
                               const std::function<unsigned char(int, int)>& pixel) {
    const int stride = (width + 3) & ~3;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * height);
    header.biClrUsed = 256;
    std::vector<unsigned char> data(sizeof header + 256 * sizeof(RGBQUAD) + header.biSizeImage);
    memcpy(data.data(), &header, sizeof header);
    auto* table = reinterpret_cast<RGBQUAD*>(data.data() + sizeof header);
    for (int i = 0; i < 256; ++i)
        table[i] = TableEntry(i);
    unsigned char* bits = data.data() + sizeof header + 256 * sizeof(RGBQUAD);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bits[(height - 1 - y) * stride + x] = pixel(x, y);  // rows are stored bottom-up
    entries_.push_back({name, std::move(data)});
}

HMODULE PictureModule::Build(const std::string& templateProgram) {
    char folder[MAX_PATH], file[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "qbp", 0, file);
    path_ = file;
    if (!CopyFileA(templateProgram.c_str(), path_.c_str(), FALSE))
        return nullptr;
    HANDLE update = BeginUpdateResourceA(path_.c_str(), FALSE);
    if (!update)
        return nullptr;
    for (Entry& e : entries_)
        UpdateResourceA(update, reinterpret_cast<LPCSTR>(RT_BITMAP), e.name.c_str(),
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), e.data.data(), static_cast<DWORD>(e.data.size()));
    if (!EndUpdateResourceA(update, FALSE))
        return nullptr;
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module_;
}

PictureModule::~PictureModule() {
    if (module_)
        FreeLibrary(module_);
    if (!path_.empty())
        DeleteFileA(path_.c_str());
}
