#include "platform/short_sound.h"

#include <QSoundEffect>
#include <QUrl>

namespace platform {

ShortSound::ShortSound(const QString& file, QObject* parent) : QObject(parent), m_file(file) {}

void ShortSound::play()
{
    ++m_played;
    if (!m_effect) {
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl::fromLocalFile(m_file));
    }
    m_effect->play();
}

} // namespace platform
