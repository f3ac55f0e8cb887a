#pragma once

#include "store/records_db.h"

#include <QDialog>

class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace records {

// The form in which the adult enters a walk on the real route: for each step the help the child
// needed, the date and a note.
class WalkForm : public QDialog
{
    Q_OBJECT
public:
    WalkForm(const QList<store::Step>& steps, QWidget* parent = nullptr);

    qint64 when() const;
    QString note() const;
    QList<int> help() const;

    // For tests and for the adult alike: the help at step `index`, the note.
    void setHelp(int index, int level);
    void setNote(const QString& note);

private:
    QDateTimeEdit* m_when = nullptr;
    QLineEdit* m_note = nullptr;
    QList<QComboBox*> m_help;
};

} // namespace records
