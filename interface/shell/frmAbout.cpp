#include "frmAbout.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

#include "string_table.h"
#include "sysinfo.h"
#include "ui_services.h"

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tamberlix"));
    setProperty("tag", 1067);
    setFixedSize(480, 260);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setProperty("tag", 1069);
    cmdOK->setDefault(true);
    cmdOK->setGeometry(width() - 100, height() - 44, 84, 28);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    Form_Load();
}

void frmAbout::Form_Load() { LoadFormStrings(this); }

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::paintEvent(QPaintEvent*)
{
    // The box's artwork.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(20, 40, 90));
    sky.setColorAt(1, QColor(110, 150, 210));
    p.fillRect(rect(), sky);
    QFont title(QStringLiteral("Times New Roman"), 40, QFont::Bold);
    title.setStyleHint(QFont::Serif);
    p.setFont(title);
    p.setPen(QColor(255, 210, 90));
    p.drawText(QRect(0, 30, width(), 80), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Tamberlix"));
    QFont line(QStringLiteral("Arial"), 11);
    line.setStyleHint(QFont::SansSerif);
    p.setFont(line);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 110, width(), 24), Qt::AlignHCenter, QStringLiteral("LL(1) parser generator"));
    p.drawText(QRect(0, 136, width(), 24), Qt::AlignHCenter,
               QStringLiteral("Grammars in four notations, parsers in seven languages"));
}

bool frmAbout::GetKeyValue(std::uint32_t keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal)
{
    const std::optional<sysinfo::KeyValue> v = sysinfo::System().ReadValue(keyRoot, keyName, subKeyRef);
    if (!v) {
        keyVal.clear();
        return false;
    }
    switch (v->type) {
    case sysinfo::TextValue: {
        const qsizetype nul = v->data.indexOf('\0');
        keyVal = QString::fromLocal8Bit(nul < 0 ? v->data : v->data.left(nul));
        break;
    }
    case sysinfo::NumberValue: {
        // The four bytes, lowest first; a zero byte is a digit of the number, not its end.
        std::uint32_t n = 0;
        for (qsizetype k = std::min<qsizetype>(v->data.size(), 4) - 1; k >= 0; --k)
            n = (n << 8) | static_cast<unsigned char>(v->data[k]);
        keyVal = QString::number(n);
        break;
    }
    default:
        break;
    }
    return true;
}

void frmAbout::StartSysInfo()
{
    sysinfo::SystemLayer& system = sysinfo::System();
    QString path;
    bool started = false;
    if (GetKeyValue(sysinfo::LocalMachine, QLatin1String(sysinfo::PathKey), QLatin1String(sysinfo::PathValue), path)) {
        started = system.StartProgram(path);
    } else if (GetKeyValue(sysinfo::LocalMachine, QLatin1String(sysinfo::FolderKey),
                           QLatin1String(sysinfo::FolderValue), path)) {
        const QString program = QDir(path).filePath(QLatin1String(sysinfo::ProgramFile));
        if (system.FileExists(program)) started = system.StartProgram(program);
    }
    if (!started)
        ui::Ui().messageBox(QStringLiteral("System Information Is Unavailable At This Time"), ui::AppTitle(),
                            ui::Buttons::Ok, ui::Icon::None);
}
