#include "core/io/loss_report.h"

#include "core/io/message_text.h"

namespace qv {
namespace {

constexpr qsizetype kNamed = 8;  // labels named in one warning; the rest are counted

QString warning(const QString& what, const QStringList& named) {
    QString line = QStringLiteral("%1 %2: ").arg(named.size()).arg(what);
    line += QStringList(named.mid(0, kNamed)).join(QStringLiteral(", "));
    if (named.size() > kNamed) line += QStringLiteral(" and %1 more").arg(named.size() - kNamed);
    return line;
}

// The label as a warning names it: quoted, with its look when it is not the main one.
QString named(const QString& label, const QString& look) {
    QString name = u'"' + shown_in_message(label) + u'"';
    if (!look.isEmpty()) name += QStringLiteral(" %1 look").arg(shown_in_message(look));
    return name;
}

}  // namespace

QString describe_overflow(const Overflow& o) {
    QStringList edges;
    const std::pair<const char*, int> sides[] = {
        {"left", o.left}, {"right", o.right}, {"top", o.top}, {"bottom", o.bottom}};
    for (const auto& [side, pixels] : sides)
        if (pixels > 0) edges << QStringLiteral("%1 %2 px").arg(QLatin1String(side)).arg(pixels);
    return edges.join(QStringLiteral(", "));
}

QStringList loss_warnings(const std::vector<LabelLoss>& losses,
                          const std::vector<UnfitLabel>& unfit) {
    QStringList clipped, boxed, too_wide;
    for (const LabelLoss& loss : losses) {
        const QString name = named(loss.label, loss.look);
        if (loss.ink.overflow.any())
            clipped << QStringLiteral("%1 (%2)").arg(name, describe_overflow(loss.ink.overflow));
        if (!loss.ink.missing.isEmpty())
            boxed << QStringLiteral("%1 (%2)").arg(name, shown_in_message(loss.ink.missing));
    }
    QStringList lines;
    if (!clipped.isEmpty())
        lines << warning(clipped.size() == 1
                             ? QStringLiteral("label is clipped at the button's edges")
                             : QStringLiteral("labels are clipped at the button's edges"),
                         clipped);
    if (!boxed.isEmpty())
        lines << warning(
            boxed.size() == 1
                ? QStringLiteral("label has characters no installed font has, drawn as boxes")
                : QStringLiteral("labels have characters no installed font has, drawn as boxes"),
            boxed);
    for (const UnfitLabel& u : unfit)
        too_wide << QStringLiteral("%1 (%2 pt)").arg(named(u.label, u.look)).arg(u.size);
    if (!too_wide.isEmpty())
        lines << warning(too_wide.size() == 1
                             ? QStringLiteral("label does not fit between its margins even at "
                                              "the smallest size")
                             : QStringLiteral("labels do not fit between their margins even at "
                                              "the smallest size"),
                         too_wide);
    return lines;
}

}  // namespace qv
