#include "run_guard.h"

#include <QTime>

void LogUnexpected(MainFrame* frame, const QString& where, std::exception_ptr failure) noexcept
{
    try {
        QString what = QStringLiteral("an unknown exception");
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            what = QString::fromLocal8Bit(e.what());
        } catch (...) {}
        if (frame)
            frame->WriteLog(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")) + " ... unexpected failure in " +
                            where + ": " + what + "\r\n");
    } catch (...) {
        // Nothing is left to report it with.
    }
}

bool RunLogged(MainFrame* frame, const QString& where, const std::function<void()>& work) noexcept
{
    try {
        if (work) work();
        return true;
    } catch (...) {
        LogUnexpected(frame, where, std::current_exception());
        return false;
    }
}
