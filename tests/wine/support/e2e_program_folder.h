#pragma once
// What a program folder holds besides the program: its status animations, and folders the test makes in it.
// Both are taken away again with everything in them, so the stand-in folder can be removed after them.

#include <string>

class ScratchSubfolder {
public:
    ScratchSubfolder(const std::wstring& parent, const std::wstring& name);
    ~ScratchSubfolder();
    ScratchSubfolder(const ScratchSubfolder&) = delete;
    ScratchSubfolder& operator=(const ScratchSubfolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring FilePath(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// The five status animations of the source tree, copied into <folder>\gifs for as long as this lives.
class StatusAnimationsCopy {
public:
    explicit StatusAnimationsCopy(const std::wstring& folder);

private:
    ScratchSubfolder m_gifs;
};
