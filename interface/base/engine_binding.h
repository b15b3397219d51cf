// The engine library, loaded by its name at the first call and reached through one typed table
// of its exports. Windows never call a raw symbol.
#pragma once

#include <QString>
#include <QStringList>

#include "engine_client.h"

class EngineBinding {
public:
    // The library's file name.
    static QString LibraryName() { return QStringLiteral("libMorvantelisk.so"); }

    // The program's binding.
    static EngineBinding& instance();

    // Loads the library and binds every export, once. On failure the reason stays in error()
    // and the first failure is shown in a message box; false then, and on every later call.
    bool load();
    // The table, or nullptr when the library or one of its exports is missing.
    const EngineExports* exports();
    QString error() const { return error_; }
    QString loadedFrom() const { return loadedFrom_; }

    // Where the library is looked for: the given files in order (tests). Unloads nothing.
    void setCandidates(const QStringList& files);
    // Forgets an earlier result so that the next call loads again (tests).
    void reset();

    ~EngineBinding();

private:
    QStringList candidates() const;

    void* handle_ = nullptr;
    bool tried_ = false;
    bool reported_ = false;
    EngineExports table_;
    QString error_;
    QString loadedFrom_;
    QStringList candidates_;
};

// Shorthand for the windows: the table or nullptr (a message was shown).
inline const EngineExports* Engine() { return EngineBinding::instance().exports(); }
