#include "widgets/LessonFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>
#include <cmath>

namespace velarium {

namespace {
// Windows far larger than any display are not a place a screen can stand.
constexpr int kLargestSide = 100000;

QString quoted(const QString& s) { return QStringLiteral("“%1”").arg(s.left(60)); }

bool wholeNumber(const QJsonValue& v) {
    if (!v.isDouble()) return false;
    const double d = v.toDouble();
    return std::isfinite(d) && d == std::floor(d) && std::abs(d) <= 1e9;
}

QJsonObject screenToJson(const LessonScreen& s) {
    const QRect& g = s.geometry;
    return {{QStringLiteral("screen"), s.screen},
            {QStringLiteral("geometry"), QJsonArray{g.x(), g.y(), g.width(), g.height()}},
            {QStringLiteral("focus"), s.focus},
            {QStringLiteral("controls"), s.controls},
            {QStringLiteral("state"), s.state}};
}

// One screen's entry, or the fault that keeps it from being read.
std::optional<LessonScreen> screenFromJson(const QJsonValue& value, int index, QString& fault) {
    const QString which = QStringLiteral("screen entry %1").arg(index + 1);
    if (!value.isObject()) {
        fault = which + QStringLiteral(" is not an object");
        return std::nullopt;
    }
    const QJsonObject o = value.toObject();
    LessonScreen s;
    const QJsonValue name = o.value(QStringLiteral("screen"));
    if (!name.isString() || name.toString().isEmpty()) {
        fault = which + QStringLiteral(" has no “screen” name");
        return std::nullopt;
    }
    s.screen = name.toString();
    const QString named = QStringLiteral("screen ") + quoted(s.screen);
    const QJsonValue geometry = o.value(QStringLiteral("geometry"));
    const QJsonArray g = geometry.toArray();
    bool placed = geometry.isArray() && g.size() == 4;
    for (const QJsonValue& n : g) placed = placed && wholeNumber(n);
    if (placed) {
        s.geometry = QRect(g[0].toInt(), g[1].toInt(), g[2].toInt(), g[3].toInt());
        placed = s.geometry.width() > 0 && s.geometry.height() > 0 &&
                 s.geometry.width() <= kLargestSide && s.geometry.height() <= kLargestSide &&
                 std::abs(s.geometry.x()) <= kLargestSide &&
                 std::abs(s.geometry.y()) <= kLargestSide;
    }
    if (!placed) {
        fault = named + QStringLiteral(
                            ": “geometry” is not four whole numbers x, y, width, "
                            "height with a width and height above 0");
        return std::nullopt;
    }
    if (const QJsonValue focus = o.value(QStringLiteral("focus")); !focus.isUndefined()) {
        if (!focus.isBool()) {
            fault = named + QStringLiteral(": “focus” is not true or false");
            return std::nullopt;
        }
        s.focus = focus.toBool();
    }
    const QJsonValue controls = o.value(QStringLiteral("controls"));
    if (!controls.isUndefined() && !controls.isObject()) {
        fault = named + QStringLiteral(": “controls” is not an object");
        return std::nullopt;
    }
    s.controls = controls.toObject();
    const QJsonValue state = o.value(QStringLiteral("state"));
    if (!state.isUndefined() && !state.isObject()) {
        fault = named + QStringLiteral(": “state” is not an object");
        return std::nullopt;
    }
    s.state = state.toObject();
    return s;
}

LessonRead refused(const QString& fault) { return {std::nullopt, fault}; }
}  // namespace

QByteArray lessonToJson(const Lesson& lesson) {
    QJsonArray screens;
    for (const LessonScreen& s : lesson.screens) screens.append(screenToJson(s));
    const QJsonObject root{{QStringLiteral("format"), QString::fromLatin1(kLessonFormat)},
                           {QStringLiteral("version"), kLessonVersion},
                           {QStringLiteral("screens"), screens}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

LessonRead lessonFromJson(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::DeepNesting)
        return refused(QStringLiteral("its entries are nested too deeply to be a lesson"));
    if (error.error != QJsonParseError::NoError) {
        // An error at the very end of the text is a file cut short.
        if (error.offset >= bytes.trimmed().size() && !bytes.trimmed().isEmpty())
            return refused(QStringLiteral("it ends too early: the file is cut short"));
        return refused(QStringLiteral("it is not a lesson: its text is not JSON (%1 at byte %2)")
                           .arg(error.errorString())
                           .arg(error.offset));
    }
    if (!doc.isObject()) return refused(QStringLiteral("it is not a lesson: it holds no object"));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(kLessonFormat))
        return refused(
            QStringLiteral("it is not a Velarium lesson: its “format” is not "
                           "“velarium-lesson”"));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!wholeNumber(version) || version.toInt() < 1)
        return refused(QStringLiteral("its “version” is not a whole number from 1 on"));
    if (version.toInt() > kLessonVersion)
        return refused(QStringLiteral("it was made by a newer Velarium (lesson version %1); this "
                                      "one reads version %2. Open it with a newer Velarium.")
                           .arg(version.toInt())
                           .arg(kLessonVersion));
    const QJsonValue screens = root.value(QStringLiteral("screens"));
    if (!screens.isArray()) return refused(QStringLiteral("its “screens” is not a list"));
    Lesson lesson;
    QSet<QString> seen;
    const QJsonArray list = screens.toArray();
    for (int i = 0; i < list.size(); ++i) {
        QString fault;
        std::optional<LessonScreen> s = screenFromJson(list[i], i, fault);
        if (!s) return refused(fault);
        if (seen.contains(s->screen))
            return refused(QStringLiteral("it names the screen %1 twice").arg(quoted(s->screen)));
        seen.insert(s->screen);
        lesson.screens.append(*s);
    }
    if (lesson.screens.isEmpty()) return refused(QStringLiteral("it holds no screen"));
    return {lesson, {}};
}

LessonRead readLessonFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return refused(QStringLiteral("there is no such file"));
    if (info.isDir()) return refused(QStringLiteral("it is a folder, not a file"));
    // A pipe would hold the program until someone writes into it; a device never ends.
    if (!info.isFile())
        return refused(QStringLiteral("it is not a regular file (a pipe or a device)"));
    if (info.size() > kLessonMostBytes)
        return refused(QStringLiteral("it is %1 bytes long, and a lesson takes at most 1 MB")
                           .arg(info.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refused(file.errorString());
    // The file may grow between the look and the read: never take more than a lesson's most.
    const QByteArray bytes = file.read(kLessonMostBytes + 1);
    if (bytes.size() > kLessonMostBytes)
        return refused(QStringLiteral("it is longer than 1 MB, the most a lesson takes"));
    if (file.error() != QFileDevice::NoError) return refused(file.errorString());
    return lessonFromJson(bytes);
}

QString writeLessonFile(const QString& path, const Lesson& lesson) {
    const QByteArray bytes = lessonToJson(lesson);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason.isEmpty() ? QStringLiteral("the lesson could not be written") : reason;
    }
    if (!file.commit()) return file.errorString();
    return {};
}

}  // namespace velarium
