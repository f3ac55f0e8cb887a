#include "platform/failure.h"

#include "platform/dialogs.h"

#include <QDir>

namespace platform {

Failure::Failure(Kind kind, QString cause, QString nextStep, QString detail)
    : m_kind(kind), m_cause(std::move(cause)), m_nextStep(std::move(nextStep)),
      m_detail(std::move(detail))
{
    compose();
}

Failure::Failure(Kind kind, const Reason& reason, QString detail)
    : Failure(kind, reason.cause, reason.nextStep, std::move(detail))
{
}

Failure Failure::headed(QString heading) const
{
    Failure copy = *this;
    copy.m_unchanged.clear();
    copy.under(std::move(heading));
    return copy;
}

Failure& Failure::under(QString heading)
{
    m_heading = std::move(heading);
    compose();
    return *this;
}

Failure& Failure::about(QString file)
{
    m_file = std::move(file);
    compose();
    return *this;
}

Failure& Failure::leaving(QString unchanged)
{
    m_unchanged = std::move(unchanged);
    compose();
    return *this;
}

QString Failure::text() const
{
    QString text =
        m_heading.isEmpty() ? reason() : m_heading + QStringLiteral("\n\n理由: ") + reason();
    if (!m_file.isEmpty())
        text += QStringLiteral("\n\nファイル: ") + QDir::toNativeSeparators(m_file);
    if (!m_unchanged.isEmpty())
        text += QStringLiteral("\n\n") + m_unchanged;
    if (!m_detail.isEmpty())
        text += QStringLiteral("\n\n詳細: ") + m_detail;
    return text;
}

void Failure::compose()
{
    m_what = text().toUtf8();
}

const char* Failure::what() const noexcept
{
    return m_what.constData();
}

void tell(Dialogs& dialogs, QWidget* parent, const Failure& failure)
{
    dialogs.MsgBox(parent, failure.text());
}

} // namespace platform
