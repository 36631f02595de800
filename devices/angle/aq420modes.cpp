#include "aq420modes.h"

#include <cstdlib>

namespace {
// Mode 2's tipper body: the picture of each band of the angle. The band
// edges themselves leave the picture shown.
constexpr int kTipperBandWidth = 20; // degrees
const char *const kTipperPictures[] = {"samos20.png", "samos40.png", "samos60.png"};

QString byLimits(const char *up, const char *mid, const char *down, int angle, int upper,
                 int lower)
{
    if (angle > upper)
        return QLatin1String(up);
    if (angle > lower)
        return QLatin1String(mid);
    return QLatin1String(down);
}
} // namespace

bool Aq420Modes::hasDelays(quint8 modeByte)
{
    const quint8 mode = modeOf(modeByte);
    return mode == kBlade || mode == kBucket;
}

QString Aq420Modes::pictureFor(quint8 modeByte, int angle, int up, int down)
{
    switch (modeOf(modeByte)) {
    case kMode1:
        return byLimits("kamazUp.png", "kamazMid.png", "kamazDown.png", angle, up, down);
    case kBlade:
        return byLimits("otvalUp.png", "otvalMid.png", "otvalDown.png", angle, up, down);
    case kMode2:
        if (angle <= 0)
            return QStringLiteral("samos0.png");
        if (angle > 3 * kTipperBandWidth)
            return QStringLiteral("samos80.png");
        if (angle % kTipperBandWidth == 0)
            return {};
        return QLatin1String(kTipperPictures[angle / kTipperBandWidth]);
    case kMode3:
        return QStringLiteral("proff.png");
    default:
        return {};
    }
}

QString Aq420Modes::firstPicture(quint8 modeByte)
{
    switch (modeOf(modeByte)) {
    case kMode1: return QStringLiteral("kamazDown.png");
    case kMode2: return QStringLiteral("samos0.png");
    case kMode3: return QStringLiteral("proff.png");
    case kBlade: return QStringLiteral("otvalDown.png");
    case kBucket: return QStringLiteral("exMid.png");
    default: return {};
    }
}

const QStringList &Aq420Modes::bucketCycle()
{
    static const QStringList cycle = {QStringLiteral("exDown.png"), QStringLiteral("exMid.png"),
                                      QStringLiteral("exUp.png")};
    return cycle;
}

QString Aq420Modes::pictureStyle(const QString &picture)
{
    return QStringLiteral("border-image: url(:/images/%1) 0 0 0 0 stretch stretch").arg(picture);
}

QString Aq420Modes::switchLogLine(quint8 mode, bool master)
{
    if (master)
        return QStringLiteral("Switch mode Master AQ420");
    switch (modeOf(mode)) {
    case kMode1: return QStringLiteral("Switch mode 1 AQ420");
    case kMode2: return QStringLiteral("Switch mode 2 AQ420");
    case kMode3: return QStringLiteral("Switch mode 3 AQ420");
    case kBlade: return QStringLiteral("Switch mode Otval AQ420");
    case kBucket: return QStringLiteral("Switch mode Kovsh AQ420");
    default: return {};
    }
}

bool BucketMotion::moving(int angle)
{
    const int change = std::abs(angle - m_previous);
    m_previous = angle;
    return change >= kStartChange;
}
