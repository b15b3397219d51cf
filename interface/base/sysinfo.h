// Finding and starting the system-information program for the About box. The program's one
// layer answers the two lookups the box makes from what this system has; tests install their own.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace sysinfo {

constexpr std::uint32_t LocalMachine = 0x80000002u;
constexpr std::uint32_t TextValue = 1;
constexpr std::uint32_t NumberValue = 4;

// The first choice names the program's full path; the second its folder.
inline const char* const PathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline const char* const PathValue = "PATH";
inline const char* const FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline const char* const FolderValue = "MSINFO";
inline const char* const ProgramFile = "MSINFO32.EXE";

struct KeyValue {
    std::uint32_t type = TextValue;
    QByteArray data;
};

class SystemLayer {
public:
    virtual ~SystemLayer() = default;
    // The value, or nullopt when the key or the value cannot be read.
    virtual std::optional<KeyValue> ReadValue(std::uint32_t root, const QString& key, const QString& name) = 0;
    virtual bool FileExists(const QString& path) = 0;
    // Starts a program in a normal window; false when it could not be started.
    virtual bool StartProgram(const QString& path) = 0;
};

SystemLayer& System();
// nullptr restores the program's own layer.
void SetSystem(std::unique_ptr<SystemLayer> layer);

} // namespace sysinfo
