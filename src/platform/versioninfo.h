#pragma once

#include <QString>

#include <array>

namespace ryv {

// Version information of an executable. Linux executables carry no version
// block, so only our own program has one: its version and copyright are
// compiled in from the build. Any other file reads as having none (every
// value "").
class TVersionInfo final {
public:
    // Our own running executable.
    TVersionInfo();
    explicit TVersionInfo(const QString& fileName);

    // Re-points the object at another file.
    void LoadFile(const QString& fileName);

    // "FileVersion", "ProductVersion", "LegalCopyright", "ProductName",
    // "FileDescription", "InternalName", "OriginalFilename"; "" for any
    // other key or a file without version information.
    QString GetVerValue(const QString& verName) const;
    QString FileVersionText() const;
    QString ProductVersionText() const;
    // The version as four numbers ("1.0.0" gives 1, 0, 0, 0); zeros without
    // version information.
    std::array<quint16, 4> FixedVersion(bool product) const;

    bool IsValid() const { return FValid; }
    QString FileName() const { return FFileName; }

    // The build's own version ("1.0.0"), copyright line, licence ("MIT") and
    // home page; the build defines each once (CMakeLists.txt).
    static QString ProgramVersion();
    static QString ProgramCopyright();
    static QString ProgramLicense();
    static QString ProgramHomePage();
    // The program's name as people read it ("Ryv Tracker"): the heading of
    // its own message boxes and its product name.
    static QString ProgramTitle();

private:
    QString FFileName;
    bool FValid = false;
};

// The one-pixel line along the top of the main window sets it off from the
// flat white title bar of one particular desktop. Linux window managers draw
// their own frames and the line would look like a stray border, so it is off.
bool IsWindows10OrLater();

} // namespace ryv
