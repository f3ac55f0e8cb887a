#include "share/obz_board.h"

#include <QJsonArray>

namespace share::obz {
namespace {

const QString kWrong = QStringLiteral("ざんねん");
const QString kGoal = QStringLiteral("☆★☆　ゴール！　おめでとう！　☆★☆");

QJsonObject loadBoard(const QString& id, const QString& path)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("path"), path}};
}

QJsonObject arrowButton(const QString& id, const QString& arrow, const StepBoard& step, bool last)
{
    QJsonObject button{{QStringLiteral("id"), id}, {QStringLiteral("label"), arrow}};
    if (arrow == step.direction)
        button.insert(QStringLiteral("load_board"),
                      last ? loadBoard(QString::fromLatin1(kGoalId), QString::fromLatin1(kGoalPath))
                           : loadBoard(boardId(step.number + 1), boardPath(step.number + 1)));
    else
        button.insert(QStringLiteral("vocalization"), kWrong);
    return button;
}

QJsonObject grid(int rows, int columns, const QJsonArray& order)
{
    return QJsonObject{{QStringLiteral("rows"), rows},
                       {QStringLiteral("columns"), columns},
                       {QStringLiteral("order"), order}};
}

// The board's list of sounds: the one a button of it says, or none.
QJsonArray sounds(const QString& id, const QString& path, const QString& type)
{
    if (id.isEmpty())
        return QJsonArray();
    return QJsonArray{QJsonObject{{QStringLiteral("id"), id},
                                  {QStringLiteral("path"), path},
                                  {QStringLiteral("content_type"), type}}};
}

} // namespace

bool isArrow(const QString& direction)
{
    return direction == QStringLiteral("↑") || direction == QStringLiteral("→") ||
           direction == QStringLiteral("←");
}

QString boardId(int number)
{
    return QStringLiteral("step-%1").arg(number, 3, 10, QLatin1Char('0'));
}

QString boardPath(int number)
{
    return QStringLiteral("boards/%1.obf").arg(number, 3, 10, QLatin1Char('0'));
}

QString imageId(int number)
{
    return QStringLiteral("photo-%1").arg(number, 3, 10, QLatin1Char('0'));
}

QJsonObject stepBoard(const StepBoard& step, bool last)
{
    QJsonObject photo{{QStringLiteral("id"), QStringLiteral("photo")},
                      {QStringLiteral("label"), QString::number(step.number)},
                      {QStringLiteral("image_id"), step.imageId}};
    // Touching the photo says the parent's words for this place.
    if (!step.soundId.isEmpty())
        photo.insert(QStringLiteral("sound_id"), step.soundId);
    const QJsonArray buttons{
        photo,
        arrowButton(QStringLiteral("left"), QStringLiteral("←"), step, last),
        arrowButton(QStringLiteral("straight"), QStringLiteral("↑"), step, last),
        arrowButton(QStringLiteral("right"), QStringLiteral("→"), step, last),
    };
    const QJsonArray order{
        QJsonArray{QJsonValue::Null, QStringLiteral("photo"), QJsonValue::Null},
        QJsonArray{QStringLiteral("left"), QStringLiteral("straight"), QStringLiteral("right")}};
    const QJsonArray images{QJsonObject{{QStringLiteral("id"), step.imageId},
                                        {QStringLiteral("path"), step.imagePath},
                                        {QStringLiteral("width"), step.imageSize.width()},
                                        {QStringLiteral("height"), step.imageSize.height()},
                                        {QStringLiteral("content_type"), step.contentType}}};
    return QJsonObject{
        {QStringLiteral("format"), QString::fromLatin1(kFormat)},
        {QStringLiteral("id"), boardId(step.number)},
        {QStringLiteral("locale"), QStringLiteral("ja")},
        {QStringLiteral("name"), QStringLiteral("道順 %1").arg(step.number)},
        {QStringLiteral("buttons"), buttons},
        {QStringLiteral("grid"), grid(2, 3, order)},
        {QStringLiteral("images"), images},
        {QStringLiteral("sounds"), sounds(step.soundId, step.soundPath, step.soundType)},
        {QStringLiteral("ext_michitan_order"),
         QStringLiteral("%1").arg(step.number, 3, 10, QLatin1Char('0'))},
        {QStringLiteral("ext_michitan_direction"), step.direction},
        {QStringLiteral("ext_michitan_photo_name"), step.photoName},
        {QStringLiteral("ext_michitan_photo_missing"), step.photoMissing},
        {QStringLiteral("ext_michitan_image_id"), step.imageId},
    };
}

QJsonObject goalBoard(const GoalSound& sound)
{
    const QString soundId =
        sound.soundPath.isEmpty() ? QString() : QString::fromLatin1(kGoalSoundId);
    QJsonObject goal{{QStringLiteral("id"), QStringLiteral("goal")},
                     {QStringLiteral("label"), kGoal},
                     {QStringLiteral("vocalization"), kGoal}};
    if (!soundId.isEmpty())
        goal.insert(QStringLiteral("sound_id"), soundId);
    const QJsonArray buttons{goal};
    return QJsonObject{
        {QStringLiteral("format"), QString::fromLatin1(kFormat)},
        {QStringLiteral("id"), QString::fromLatin1(kGoalId)},
        {QStringLiteral("locale"), QStringLiteral("ja")},
        {QStringLiteral("name"), QStringLiteral("ゴール")},
        {QStringLiteral("buttons"), buttons},
        {QStringLiteral("grid"), grid(1, 1, QJsonArray{QJsonArray{"goal"}})},
        {QStringLiteral("images"), QJsonArray()},
        {QStringLiteral("sounds"), sounds(soundId, sound.soundPath, sound.soundType)},
        {QStringLiteral("ext_michitan_goal"), true}};
}

QJsonObject manifest(int steps, const QJsonObject& images, const QJsonObject& sounds)
{
    QJsonObject boards;
    for (int n = 1; n <= steps; ++n)
        boards.insert(boardId(n), boardPath(n));
    boards.insert(QString::fromLatin1(kGoalId), QString::fromLatin1(kGoalPath));
    return QJsonObject{
        {QStringLiteral("format"), QString::fromLatin1(kFormat)},
        {QStringLiteral("root"), steps > 0 ? boardPath(1) : QString::fromLatin1(kGoalPath)},
        {QStringLiteral("paths"), QJsonObject{{QStringLiteral("boards"), boards},
                                              {QStringLiteral("images"), images},
                                              {QStringLiteral("sounds"), sounds}}},
        {QStringLiteral("ext_michitan_steps"), steps},
    };
}

} // namespace share::obz
