// Binding the engine library by name at its first use.
#include "engine_binding.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>

#include "program_state.h"
#include "ui_services.h"

EngineBinding& EngineBinding::instance()
{
    static EngineBinding binding;
    return binding;
}

EngineBinding::~EngineBinding()
{
    // The library stays loaded to the end of the process: the engine may hold files open.
}

void EngineBinding::setCandidates(const QStringList& files) { candidates_ = files; }

void EngineBinding::reset()
{
    tried_ = false;
    reported_ = false;
    handle_ = nullptr;
    table_ = EngineExports{};
    error_.clear();
    loadedFrom_.clear();
}

QStringList EngineBinding::candidates() const
{
    if (!candidates_.isEmpty()) return candidates_;
    QStringList out;
    out << QDir(ModuleMain::ProgramFolder()).filePath(LibraryName());
#ifdef TAMBERLIX_ENGINE_DIR
    out << QDir(QStringLiteral(TAMBERLIX_ENGINE_DIR)).filePath(LibraryName());
#endif
    out << LibraryName(); // the system's search path
    return out;
}

bool EngineBinding::load()
{
    if (tried_) return handle_ != nullptr && error_.isEmpty();
    tried_ = true;

    QString reasons;
    for (const QString& file : candidates()) {
        if (file.contains('/') && !QFileInfo::exists(file)) continue;
        dlerror();
        void* h = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL);
        if (h) {
            handle_ = h;
            loadedFrom_ = file;
            break;
        }
        reasons += QString::fromLocal8Bit(dlerror()) + '\n';
    }
    if (!handle_) {
        error_ = QStringLiteral("The engine library %1 could not be loaded.").arg(LibraryName());
        if (!reasons.isEmpty()) error_ += '\n' + reasons.trimmed();
    } else {
        QStringList missing;
#define TAMBERLIX_ENGINE_BIND(name)                                                                                    \
    table_.name = reinterpret_cast<decltype(table_.name)>(dlsym(handle_, #name));                                      \
    if (!table_.name) missing << QStringLiteral(#name);
        TAMBERLIX_ENGINE_EXPORTS(TAMBERLIX_ENGINE_BIND)
#undef TAMBERLIX_ENGINE_BIND
        if (!missing.isEmpty())
            error_ = QStringLiteral("The engine library %1 lacks the export(s) %2.")
                         .arg(loadedFrom_, missing.join(QStringLiteral(", ")));
    }
    if (!error_.isEmpty() && !reported_) {
        reported_ = true;
        ui::Ui().messageBox(error_, ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Critical);
    }
    return error_.isEmpty();
}

const EngineExports* EngineBinding::exports() { return load() ? &table_ : nullptr; }
