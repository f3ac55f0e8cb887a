// The "子ども" menu: the children who practise, who practises now, their routes, their settings
// and a start of their own on the desktop.
#include "app/desktop_entry.h"
#include "app/household.h"
#include "app/m_lane.h"
#include "app/messages.h"
#include "app/practice_settings_dialog.h"
#include "app/route_book.h"
#include "platform/dialogs.h"
#include "platform/failure.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

namespace app {

void Household::fillChildMenu()
{
    m_childMenu->clear();
    auto add = [this](const QString& text, const char* name, void (Household::*slot)()) {
        QAction* a = m_childMenu->addAction(text, this, slot);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    add(QStringLiteral("子どもを追加…"), "addChildAction", &Household::addChild);
    const SettingsData data = LoadSettingsFile(m_folder).data;
    const bool any = !data.children.isEmpty();
    add(QStringLiteral("子どもの名前を変える…"), "renameChildAction", &Household::renameChild)
        ->setEnabled(any);
    add(QStringLiteral("子どもを消す…"), "removeChildAction", &Household::removeChild)
        ->setEnabled(any);
    if (any) {
        // Who is practising: one of them, or nobody in particular.
        m_childMenu->addSeparator();
        auto* group = new QActionGroup(m_childMenu);
        auto choice = [&](const QString& text, const QString& child) {
            QAction* a = m_childMenu->addAction(text);
            a->setCheckable(true);
            a->setChecked(m_lane::CHILD == child);
            a->setActionGroup(group);
            a->setData(child);
            connect(a, &QAction::triggered, this, [this, child] { useChild(child); });
        };
        choice(QStringLiteral("（子どもをえらばない）"), QString());
        for (const ChildEntry& child : data.children)
            choice(child.name, child.name);
        m_childMenu->addSeparator();
        add(QStringLiteral("この子の道順…"), "childRoutesAction", &Household::chooseChildRoutes)
            ->setEnabled(!m_lane::CHILD.isEmpty());
    }
    add(QStringLiteral("練習の設定…"), "practiceSettingsAction", &Household::editPracticeSettings);
    add(QStringLiteral("デスクトップに置く…"), "placeOnDesktopAction", &Household::placeOnDesktop);
}

bool Household::needChild(const QString& what)
{
    if (!m_lane::CHILD.isEmpty())
        return true;
    tell(messages::chooseChildFirst(what));
    return false;
}

void Household::addChild()
{
    const QString name = m_dialogs.InputBox(m_window, messages::kChildName);
    if (name.isEmpty())
        return;
    const BookResult added = AddChild(m_folder, name);
    if (!added.ok()) {
        tell(*added.failure);
        return;
    }
    useChild(name);
}

void Household::renameChild()
{
    if (!needChild(messages::kToRenameChild))
        return;
    const QString old = m_lane::CHILD;
    const QString name = m_dialogs.InputBox(m_window, messages::childNewName(old), old);
    if (name.isEmpty() || name == old)
        return;
    const BookResult renamed = RenameChild(m_folder, old, name);
    if (!renamed.ok()) {
        tell(*renamed.failure);
        return;
    }
    m_lane::CHILD = name.trimmed();
    emit statusChanged();
}

void Household::removeChild()
{
    if (!needChild(messages::kToRemoveChild))
        return;
    const QString name = m_lane::CHILD;
    if (m_dialogs.MsgBox(m_window, messages::removeChildQuestion(name),
                         platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
        return;
    const BookResult removed = RemoveChild(m_folder, name);
    if (!removed.ok()) {
        tell(*removed.failure);
        return;
    }
    m_lane::CHILD.clear();
    emit statusChanged();
}

void Household::chooseChildRoutes()
{
    if (!needChild(messages::kToChooseRoutes))
        return;
    const SettingsData data = LoadSettingsFile(m_folder).data;
    const ChildEntry* child = data.child(m_lane::CHILD);
    const QStringList mine = child ? child->routes : QStringList();
    QDialog dialog(m_window);
    dialog.setWindowTitle(QStringLiteral("この子の道順"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("%1がえらべる道順に印をつけてください"
                                                "（印がないときは、すべての道順をえらべます）。")
                                     .arg(m_lane::CHILD),
                                 &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("childRouteList"));
    for (const RouteInfo& route : ListRoutes(m_folder, data)) {
        auto* item = new QListWidgetItem(route.name, list);
        item->setData(Qt::UserRole, route.file);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(mine.contains(route.file) ? Qt::Checked : Qt::Unchecked);
    }
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (m_dialogs.Exec(dialog) != QDialog::Accepted)
        return;
    QStringList files;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            files << list->item(i)->data(Qt::UserRole).toString();
    const BookResult saved = SetChildRoutes(m_folder, m_lane::CHILD, files);
    if (!saved.ok())
        tell(*saved.failure);
}

void Household::editPracticeSettings()
{
    const QString route = RouteDisplayName(LoadSettingsFile(m_folder).data, currentFile());
    const QString whose = m_lane::CHILD.isEmpty()
                              ? QStringLiteral("道順「%1」の練習の設定").arg(route)
                              : QStringLiteral("%1の練習の設定").arg(m_lane::CHILD);
    PracticeSettingsDialog dialog(whose, LoadPracticeSettings(m_lane::DB_PATH, m_lane::CHILD),
                                  m_window);
    if (m_dialogs.Exec(dialog) != QDialog::Accepted)
        return;
    std::optional<platform::Failure> failure;
    if (!SavePracticeSettings(m_lane::DB_PATH, m_lane::CHILD, dialog.settings(), &failure))
        tell(*failure);
}

void Household::placeOnDesktop()
{
    if (!needChild(messages::kToPlaceStart))
        return;
    const QString route = RouteDisplayName(LoadSettingsFile(m_folder).data, currentFile());
    if (m_dialogs.MsgBox(m_window, messages::placeStartQuestion(m_lane::CHILD, route),
                         platform::MsgButtons::OkCancel) != platform::MsgResult::Ok)
        return;
    QString error;
    const QStringList written = PlaceChildStart(m_lane::CHILD, route, m_program, &error);
    QStringList shown;
    for (const QString& path : written)
        shown << QDir::toNativeSeparators(path);
    tell((written.isEmpty() ? QString() : messages::startPlaced(shown)) +
         (error.isEmpty() ? QString() : QLatin1Char('\n') + error));
}

} // namespace app
