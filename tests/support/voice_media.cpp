#include "support/voice_media.h"

#include "app/m_lane.h"
#include "store/connection.h"
#include "store/voice_files.h"
#include "store/voices.h"

#include <QDataStream>
#include <QFile>
#include <cmath>

QString writeToneWav(const QString& path, int ms, double amplitude)
{
    const quint32 rate = 22050;
    const quint32 samples = quint32(qint64(rate) * ms / 1000);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << quint32(rate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(std::lround(amplitude * 32767 * std::sin(2 * M_PI * 440 * i / rate)));
    return path;
}

void giveVoice(const QString& photo, const QString& file)
{
    store::Connection cn;
    cn.Open(m_lane::DB_CONNECT, m_lane::ROUTE_TABLE);
    store::Transaction change(cn);
    store::setVoice(cn, m_lane::ROUTE_TABLE, photo, store::storedVoiceName(m_lane::DB_PATH, file));
    change.commit();
}
