#include "app/guide_window.h"

#include "app/program_icon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

// Outside any namespace: the resource's initialiser is declared where this is called.
static void initGuideResource()
{
    Q_INIT_RESOURCE(guide);
}

QString guideText(const QString& routePath)
{
    static const bool loaded = (initGuideResource(), true);
    Q_UNUSED(loaded);
    QFile file(QStringLiteral(":/michitan/guide/guide.html"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll())
        .replace(QStringLiteral("%ROUTE_FOLDER%"),
                 QDir::toNativeSeparators(QFileInfo(routePath).absolutePath()).toHtmlEscaped());
}

QWidget* makeGuideWindow(const QString& routePath)
{
    auto* browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("guide"));
    browser->setWindowTitle(QStringLiteral("ミチタンの使い方"));
    browser->setWindowIcon(programIcon());
    browser->setAccessibleName(browser->windowTitle());
    browser->setOpenLinks(false);
    browser->setSearchPaths({QStringLiteral(":/michitan/guide")});
    browser->setHtml(guideText(routePath));
    browser->resize(760, 640);
    return browser;
}
