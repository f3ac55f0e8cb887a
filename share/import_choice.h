#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace share {

// Asked when a route is read in: replace the route in use (as before), or make a new route of
// it under a name the adult types (the archive's name to begin with).
class ImportChoice : public QDialog
{
    Q_OBJECT
public:
    ImportChoice(const QString& archiveName, int steps, const QString& currentRoute,
                 QWidget* parent = nullptr);

    // The new route's name; empty when the route in use is to be replaced.
    QString newRouteName() const;

    QRadioButton* replaceButton() const { return m_replace; }
    QRadioButton* newRouteButton() const { return m_newRoute; }
    QLineEdit* nameEdit() const { return m_name; }

private:
    QRadioButton* m_replace = nullptr;
    QRadioButton* m_newRoute = nullptr;
    QLineEdit* m_name = nullptr;
};

} // namespace share
