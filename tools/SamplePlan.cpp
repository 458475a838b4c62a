#include "SamplePlan.h"

#include "engine/QuietRunHost.h"
#include "engine/criteria/PageChoiceTexts.h"
#include "ui/Translations.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

using namespace Qt::StringLiterals;

namespace {

// What each sample file holds.
enum class Content { Picture, Narrow, Text };

bool writeSample(const QString& path, Content content) {
    if (!QDir().mkpath(QFileInfo(path).path())) {
        return false;
    }
    if (content == Content::Text) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0;
    }
    QImage picture(content == Content::Narrow ? QSize(640, 480) : QSize(2400, 1600), QImage::Format_RGB32);
    picture.fill(QColor(90, 140, 200));
    return picture.save(path, path.endsWith(u".png"_s) ? "PNG" : "JPG");
}

QByteArray shownFrom(const QByteArray& path, const QByteArray& root, const QByteArray& home) {
    return path.startsWith(root) ? home + path.sliced(root.size()) : path;
}

} // namespace

std::optional<SortPlan> SamplePicturePlan(const QString& folder, const QByteArray& home) {
    const bool chinese = WindowsSpeakChinese();
    const auto named = [chinese](const char* zh, const char* en) { return QString::fromUtf8(chinese ? zh : en); };
    const QString pictures = folder + named("/图片/", "/Pictures/");
    const QString holiday = pictures + named("2024 春节/", "holiday 2024/");
    const QString travel = pictures + named("旅行/", "travel/");
    const QString gone = pictures + named("旧相册/IMG_0001.jpg", "old album/IMG_0001.jpg");
    const QList<std::pair<QString, Content>> samples{
        {holiday + u"IMG_2041.jpg"_s, Content::Picture},
        {holiday + u"IMG_2042.jpg"_s, Content::Picture},
        {holiday + named("备份/", "backup/") + u"IMG_2042.jpg"_s, Content::Picture},
        {holiday + u"IMG_2043.heic"_s, Content::Text},
        {travel + named("杭州 西湖.png", "lake view.png"), Content::Picture},
        {travel + named("缩略图.png", "thumbnail.png"), Content::Narrow},
        {travel + named("全景.jpg", "panorama.jpg"), Content::Picture},
        {travel + named("旅行视频.mp4", "travel video.mp4"), Content::Text},
        {travel + named("行程单.jpg", "itinerary.jpg"), Content::Text},
        {gone, Content::Picture},
    };
    QByteArrayList files;
    for (const auto& [path, content] : samples) {
        if (!writeSample(path, content)) {
            return std::nullopt;
        }
        files.append(QFile::encodeName(path));
    }
    // The list was kept from before the file was moved away; a folder holds the name of the panorama.
    QFile::remove(gone);
    RunInputs inputs;
    inputs.page = ImagePage;
    inputs.image = {ImageDimension::Width, PictureCondition::AtLeast, u"1920"_s};
    inputs.filter.pictureTypes = PagePictureTypes();
    inputs.outputFolder = folder + u"/Varnoth"_s;
    const QString taken = inputs.outputFolder + u'/' + PictureConditionText(PictureCondition::AtLeast) + u"1920/"_s +
                          named("全景.jpg", "panorama.jpg");
    if (!QDir().mkpath(taken)) {
        return std::nullopt;
    }
    QuietRunHost host(inputs, files);
    std::optional<SortPlan> plan = PlanSort(host);
    if (!plan) {
        return std::nullopt;
    }
    const QByteArray root = QFile::encodeName(folder);
    for (PlanStep& step : plan->steps) {
        step.source = shownFrom(step.source, root, home);
        step.target = shownFrom(step.target, root, home);
    }
    plan->outputFolder = shownFrom(plan->outputFolder, root, home);
    return plan;
}
