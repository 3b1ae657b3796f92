#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace velarium {

// A lesson file: the screens a teacher left open, with every control's value, as JSON
// {"format": "velarium-lesson", "version": 1, "screens": [...]}.
inline constexpr const char* kLessonFormat = "velarium-lesson";
inline constexpr int kLessonVersion = 1;
// A lesson of every screen takes a few kilobytes; anything over this is not one.
inline constexpr qint64 kLessonMostBytes = 1024 * 1024;

// One open screen: where it stands, whether it has the focus, each control's value keyed by the
// control's name (a whole number, true or false, or a text), and the screen's own values beyond
// its controls (a run's step), each a whole number. The values are checked against the screen's
// controls when the lesson is shown; a key that names no control is left aside.
struct LessonScreen {
    QString screen;
    QRect geometry;
    bool focus = false;
    QJsonObject controls;
    QJsonObject state;
};

struct Lesson {
    QList<LessonScreen> screens;
};

// A lesson as read, or what is wrong with the file, in words that follow its name.
struct LessonRead {
    std::optional<Lesson> lesson;
    QString fault;
};

QByteArray lessonToJson(const Lesson& lesson);
// Checks the form of every entry: keys it does not know are left aside, a wrong type or a
// missing entry is a fault.
LessonRead lessonFromJson(const QByteArray& bytes);
// Reads only a regular file of at most kLessonMostBytes: a folder, a pipe or a device in its
// place is refused before it is opened.
LessonRead readLessonFile(const QString& path);
// Writes through QSaveFile, so a failed write leaves an existing file whole; the reason of a
// failure, or nothing.
QString writeLessonFile(const QString& path, const Lesson& lesson);

}  // namespace velarium
