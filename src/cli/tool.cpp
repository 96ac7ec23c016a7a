#include "cli/tool.h"

#include "cli/batch_runner.h"
#include "cli/contact_sheet.h"
#include "cli/html_page.h"
#include "cli/label_check.h"
#include "cli/look_loader.h"
#include "cli/options.h"
#include "cli/progress.h"
#include "cli/style_options.h"
#include "core/io/atomic_write.h"
#include "core/io/loss_report.h"
#include "core/io/message_text.h"
#include "core/io/name_template.h"
#include "core/io/output_path.h"
#include "core/io/output_plan.h"
#include "core/io/picture_loader.h"
#include "core/io/staged_file.h"
#include "core/io/sys_error.h"
#include "core/io/text_list.h"
#include "core/render/composer.h"
#include "core/render/text_renderer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QThread>

#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>
#include <thread>

namespace qv::cli {
namespace {

struct Inputs {
    QStringList labels;
    QStringList names;  // each label's file name, without extension
    LookPicture picture;
    std::vector<ButtonLook> looks;         // the main look first
    std::optional<size_t> hover, pressed;  // their places in `looks`, when made
    QStringList folders;                   // where the run writes
};

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

Result<QStringList> read_labels(const QString& path) {
    if (path != u"-") return read_text_list(path);
    return read_text_list(STDIN_FILENO, QStringLiteral("standard input"));
}

bool is_directory(const QString& path) {
    return QFileInfo(path).isDir();
}

// Everything is read and checked before the first file is written, so that bad input writes
// nothing at all.
Result<Inputs> load_inputs(const Options& o, QStringList& warnings) {
    Inputs in;
    if (!o.labels_path.isEmpty()) {
        auto labels = read_labels(o.labels_path);
        if (!labels) return Failure{QStringLiteral("--labels: ") + labels.error()};
        in.labels = std::move(*labels);
    }
    for (qsizetype i = 0; i < in.labels.size(); ++i)
        in.names << expand_name(o.name_template, in.labels[i], i + 1);

    auto picture = load_look_picture(o.style.background, o.style.format);
    if (!picture) return Failure{QStringLiteral("--background: ") + picture.error()};
    in.picture = std::move(*picture);

    if (!o.style.font.isEmpty() && !QFontDatabase::hasFamily(o.style.font))
        return Failure{QStringLiteral("--font: no font family \"%1\" is installed")
                           .arg(shown_in_message(o.style.font))};
    in.looks.push_back(look_for(o.style, in.picture, QString()));
    // What the run reads, which nothing it writes may replace.
    std::vector<PlanInput> read{
        {QStringLiteral("the background picture"), o.style.background},
        {QStringLiteral("the label list"), o.labels_path == u"-" ? QString() : o.labels_path},
        {QStringLiteral("the --style file"), o.style_path}};
    struct State {
        QString option, style_path, suffix;
        std::optional<size_t>& place;
    };
    for (const State& state :
         {State{"--hover", o.hover_style_path, o.hover_suffix, in.hover},
          State{"--pressed", o.pressed_style_path, o.pressed_suffix, in.pressed}}) {
        if (state.style_path.isEmpty()) continue;
        auto look =
            state_look(state.option, state.style_path, state.suffix, o, in.picture, warnings, read);
        if (!look) return Failure{look.error()};
        state.place = in.looks.size();
        in.looks.push_back(std::move(*look));
    }
    if (o.check) return in;  // which writes nothing

    // Every file the run would write, each label's looks in order, is checked first.
    OutputPlan plan;
    plan.inputs = std::move(read);
    if (!o.save_style_path.isEmpty()) plan.extras.push_back({"--save-style", o.save_style_path});
    if (!o.labels_path.isEmpty()) {
        if (!is_directory(o.out_dir))
            return Failure{QStringLiteral("--out: the directory %1 does not exist")
                               .arg(shown_in_message(o.out_dir))};
        if (!o.contact_sheet_path.isEmpty())
            plan.extras.push_back({"--contact-sheet", o.contact_sheet_path});
        if (!o.html_path.isEmpty()) plan.extras.push_back({"--html", o.html_path});
        plan.directory = o.out_dir;
        plan.labels = in.labels;
        plan.names = in.names;
        plan.suffixes.clear();
        for (const ButtonLook& look : in.looks) plan.suffixes << look.suffix;
        plan.extension = extension_for(o.style.format);
    }
    auto folders = check_output_plan(plan);
    if (!folders) return Failure{folders.error()};
    in.folders = std::move(*folders);
    return in;
}

// The suffixes of the looks made: the main look's is empty.
QStringList look_suffixes(const Options& o) {
    QStringList suffixes{QString()};
    if (!o.hover_style_path.isEmpty()) suffixes << o.hover_suffix;
    if (!o.pressed_style_path.isEmpty()) suffixes << o.pressed_suffix;
    return suffixes;
}

// What the labels come to in every look, decided on `jobs` threads, each with canvases of its
// own, before anything is written: a long list is surveyed as fast as it is written.
struct Survey {
    // [look][label]; empty for a look whose labels are drawn as the style places them, and,
    // unless measured, for the state looks (the run places those as it draws them).
    std::vector<std::vector<PlacedLabel>> placed;
    std::vector<std::vector<LabelInk>> inks;  // [look][label]: what each label loses, if measured
};

Survey survey_labels(const Inputs& in, int jobs, bool measure) {
    const qsizetype count = in.labels.size();
    const size_t looks = in.looks.size();
    Survey survey;
    survey.placed.resize(looks);
    for (size_t k = 0; k < looks; ++k)
        if (in.looks[k].places() && (measure || k == 0)) survey.placed[k].resize(size_t(count));
    if (measure) survey.inks.assign(looks, std::vector<LabelInk>(size_t(count)));
    if (!measure && survey.placed[0].empty()) return survey;
    const size_t surveyed = measure ? looks : 1;
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        std::vector<Canvas> canvases;  // measured on, never drawn on; as wide as the button
        std::vector<ButtonStyle> styles;
        for (const ButtonLook& look : in.looks) {
            canvases.push_back(Canvas::make(look.background.image.size(), kWindowBackground));
            styles.push_back(look.style);
        }
        for (qsizetype i; (i = next.fetch_add(1)) < count;) {
            int main_width = in.looks[0].background.width();
            for (size_t k = 0; k < surveyed; ++k) {
                const ButtonLook& look = in.looks[k];
                Canvas& canvas = canvases[k];
                styles[k].label_text = in.labels[i];
                if (!look.places()) {
                    if (measure)
                        survey.inks[k][size_t(i)] = measure_button_label(canvas, styles[k]);
                    continue;
                }
                const Placement p = place_on_look(canvas, look, styles[k], main_width);
                if (k == 0) main_width = p.width;
                if (!survey.placed[k].empty()) survey.placed[k][size_t(i)] = packed(p);
                if (!measure) continue;
                if (canvas.width() != p.width)
                    canvas = Canvas::make({p.width, canvas.height()}, kWindowBackground);
                survey.inks[k][size_t(i)] =
                    measure_placed_label(canvas, styles[k], p, look.layout.stretch);
            }
        }
    };
    std::vector<std::thread> workers;
    for (qsizetype j = 1; j < std::min<qsizetype>(jobs, count); ++j) workers.emplace_back(work);
    work();
    for (std::thread& w : workers) w.join();
    return survey;
}

int jobs_of(const Options& o) {
    return o.jobs > 0 ? o.jobs : QThread::idealThreadCount();
}

// "14 -> 11 pt, two lines "Children's" / "corner", 96 px": what a label was fitted to.
QString placement_text(const PlacedLabel& placed, const QString& label) {
    QString text = placed.size == placed.style_size
                       ? QStringLiteral("%1 pt").arg(placed.size)
                       : QStringLiteral("%1 -> %2 pt").arg(placed.style_size).arg(placed.size);
    if (placed.first >= 0) {
        const Placement p = unpacked(placed, label);
        text += QStringLiteral(", two lines \"") + shown_in_message(p.lines[0]) +
                QStringLiteral("\" / \"") + shown_in_message(p.lines[1]) + u'"';
    }
    return text + QStringLiteral(", %1 px").arg(placed.width);
}

// The warnings a run would give, from the survey.
QStringList survey_warnings(const Inputs& in, const Survey& survey) {
    std::vector<LabelLoss> losses;
    std::vector<UnfitLabel> unfit;
    for (qsizetype i = 0; i < in.labels.size(); ++i) {
        for (size_t k = 0; k < in.looks.size(); ++k) {
            const LabelInk& ink = survey.inks[k][size_t(i)];
            if (ink.overflow.any() || !ink.missing.isEmpty())
                losses.push_back({in.labels[i], ink, in.looks[k].suffix});
            if (!survey.placed[k].empty() && !survey.placed[k][size_t(i)].fits)
                unfit.push_back(
                    {in.labels[i], in.looks[k].suffix, survey.placed[k][size_t(i)].size});
        }
    }
    return loss_warnings(losses, unfit);
}

// Each label with a problem once, in list order, with what is wrong with it; the summary counts
// the problems apart. When labels are fitted every label is listed, with its size, lines and
// width. Under --strict any problem, or `warnings` (the style files'), makes the status 1.
int check_labels(const Options& o, const Inputs& in, qsizetype warnings, std::FILE* out,
                 std::FILE* err) {
    const auto sharing = labels_sharing_names(in.labels, in.names, look_suffixes(o));
    const Survey survey = survey_labels(in, jobs_of(o), true);
    qsizetype clipped = 0, boxed = 0, unfit = 0;
    bool placed_any = false;
    for (qsizetype i = 0; i < in.labels.size(); ++i) {
        QStringList notes, problems;
        bool clips = false, boxes = false, too_wide = false;
        for (size_t k = 0; k < in.looks.size(); ++k) {
            const LabelInk& ink = survey.inks[k][size_t(i)];
            const QString look =
                k == 0 ? QString() : QStringLiteral("%1 look: ").arg(in.looks[k].suffix);
            if (!survey.placed[k].empty()) {
                placed_any = true;
                const PlacedLabel& p = survey.placed[k][size_t(i)];
                const PlacedLabel* main =
                    survey.placed[0].empty() ? nullptr : &survey.placed[0][size_t(i)];
                const bool as_main = main ? p.size == main->size && p.first == main->first
                                          : p.size == p.style_size && p.first < 0;
                if (k == 0 || !as_main) notes << look + placement_text(p, in.labels[i]);
                if (!p.fits) problems << look + QStringLiteral("does not fit at %1 pt").arg(p.size);
                too_wide = too_wide || !p.fits;
            }
            if (ink.overflow.any())
                problems << look + QStringLiteral("past the edges by ") +
                                describe_overflow(ink.overflow);
            if (!ink.missing.isEmpty())
                problems << look + QStringLiteral("no installed font has ") +
                                shown_in_message(ink.missing);
            clips = clips || ink.overflow.any();
            boxes = boxes || !ink.missing.isEmpty();
        }
        if (std::binary_search(sharing.begin(), sharing.end(), i))
            problems << QStringLiteral("shares a file name with another label");
        clipped += clips;
        boxed += boxes;
        unfit += too_wide;
        if (!notes.isEmpty() || !problems.isEmpty())
            print(out,
                  in.labels[i] + u'\t' + (notes + problems).join(QStringLiteral("; ")) + u'\n');
    }
    if (!o.quiet) {
        QString summary = QStringLiteral(
                              "%1 of %2 labels run past the edges; %3 have characters no "
                              "installed font has; %4 share a file name with another "
                              "label")
                              .arg(clipped)
                              .arg(in.labels.size())
                              .arg(boxed)
                              .arg(sharing.size());
        if (placed_any)
            summary += QStringLiteral("; %1 do not fit between the margins at the smallest size")
                           .arg(unfit);
        print(err, summary + u'\n');
    }
    const bool warned = clipped + boxed + unfit + qsizetype(sharing.size()) + warnings > 0;
    return o.strict && warned ? kExitWriteFailed : kExitOk;
}

// Each label's button width in the main look, for the sheet: as placed, or the picture's.
std::vector<int> main_widths(const Inputs& in, const Survey& survey) {
    if (survey.placed.empty() || survey.placed[0].empty())
        return std::vector<int>(size_t(in.labels.size()), in.looks[0].background.width());
    std::vector<int> widths;
    widths.reserve(survey.placed[0].size());
    for (const PlacedLabel& p : survey.placed[0]) widths.push_back(p.width);
    return widths;
}

// The page for a run that wrote every file: each label's files, where the runner put them, each
// at its own size.
Result<void> write_page(const Options& o, const Inputs& in, const std::vector<int>& widths) {
    const QString extension = extension_for(o.style.format);
    auto image = [&](qsizetype i, std::optional<size_t> look) -> std::optional<PageImage> {
        if (!look) return std::nullopt;
        const ButtonLook& l = in.looks[*look];
        QSize size = l.background.image.size();
        if (*look == 0 || l.main_width) size.setWidth(widths[size_t(i)]);
        return PageImage{*output_path(o.out_dir, in.names[i] + l.suffix, extension), size};
    };
    std::vector<PageButton> buttons;
    buttons.reserve(size_t(in.labels.size()));
    for (qsizetype i = 0; i < in.labels.size(); ++i) {
        buttons.push_back({in.labels[i], *image(i, 0), image(i, in.hover), image(i, in.pressed)});
    }
    const QString page_dir = QFileInfo(o.html_path).absolutePath();
    const QString title = QStringLiteral("%1 buttons").arg(in.labels.size());
    return write_file_atomically(o.html_path, page_html(buttons, page_dir, title).toUtf8());
}

int write_buttons(const Options& o, const Inputs& in, Survey survey,
                  std::optional<SheetLayout> layout, std::FILE* out, std::FILE* err) {
    ProgressBar progress(err, in.labels.size(), !o.quiet && ::isatty(::fileno(err)));
    std::unique_ptr<ContactSheet> sheet;
    if (layout) sheet = std::make_unique<ContactSheet>(std::move(*layout));

    BatchRun run;
    run.labels = in.labels;
    run.names = in.names;
    run.looks = in.looks;
    run.placed = std::move(survey.placed);
    run.out_dir = o.out_dir;
    run.format = o.style.format;
    qint64 canvas_bytes = 0;  // a worker's canvases for every look
    for (const ButtonLook& look : in.looks) canvas_bytes += look_canvas_bytes(look);
    run.jobs = workers_for(jobs_of(o), in.labels.size(), canvas_bytes);
    run.want_images = sheet != nullptr;
    run.on_committed = [&](qsizetype i, const QImage& image) {
        if (sheet) sheet->place(i, image);
        progress.update(i + 1);
    };
    const BatchOutcome outcome = run_batch(run);
    progress.finish();

    std::optional<QString> failure = outcome.failure;
    if (!failure && sheet) {
        if (auto saved = sheet->save(o.contact_sheet_path); !saved) failure = saved.error();
    }
    if (!failure && !o.html_path.isEmpty()) {
        if (auto saved = write_page(o, in, outcome.widths); !saved) failure = saved.error();
    }
    // The buttons are written as drawn; what they lost is said once, after them.
    for (const QString& line : loss_warnings(outcome.losses, outcome.unfit))
        print(err, QStringLiteral("quorvane-batch: warning: %1\n").arg(line));
    if (failure) print(err, QStringLiteral("quorvane-batch: %1\n").arg(*failure));
    print(out, QStringLiteral("wrote %1 buttons to %2\n").arg(outcome.written).arg(o.out_dir));
    return failure ? kExitWriteFailed : kExitOk;
}

// Under --quiet only the tool's own errors and warnings reach standard error, not Qt's notes on
// the fonts (such as "OpenType support missing" for a script a font lacks): what matters of those
// the tool says itself, once, in the warning on characters no font has.
class QuietQt {
  public:
    explicit QuietQt(bool quiet) : quiet_(quiet) {
        if (quiet_) previous_ = qInstallMessageHandler(drop);
    }
    ~QuietQt() {
        if (quiet_) qInstallMessageHandler(previous_);
    }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;

  private:
    static void drop(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtCriticalMsg && type != QtFatalMsg) return;
        if (previous_)
            previous_(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
    static inline QtMessageHandler previous_ = nullptr;
    bool quiet_;
};

int run_steps(const QStringList& args, std::FILE* out, std::FILE* err) {
    const auto parsed = parse_options(args);
    if (!parsed) {
        print(err, QStringLiteral("quorvane-batch: %1\nTry 'quorvane-batch --help'.\n")
                       .arg(parsed.error()));
        return kExitBadInput;
    }
    if (parsed->action == Action::Help) {
        print(out, help_text());
        return kExitOk;
    }
    if (parsed->action == Action::Version) {
        print(out, version_text() + u'\n');
        return kExitOk;
    }
    QStringList warnings;
    const auto styled = with_style_file(args, *parsed, warnings);
    for (const QString& warning : warnings)
        print(err, QStringLiteral("quorvane-batch: %1\n").arg(warning));
    const qsizetype warnings_shown = warnings.size();
    if (!styled) {
        print(err, QStringLiteral("quorvane-batch: %1\n").arg(styled.error()));
        return kExitBadInput;
    }
    const Options& o = styled->options;
    const QuietQt quiet_qt(o.quiet);
    auto inputs = load_inputs(o, warnings);
    for (const QString& warning : warnings.mid(warnings_shown))
        print(err, QStringLiteral("quorvane-batch: %1\n").arg(warning));
    if (!inputs) {
        print(err, QStringLiteral("quorvane-batch: %1\n").arg(inputs.error()));
        return kExitBadInput;
    }
    if (o.check) return check_labels(o, *inputs, warnings.size(), out, err);
    // Labels are placed before the run when the sheet needs their widths before its first
    // button, and the run then draws at those placements; otherwise the run places each label
    // as it draws it. --strict measures them too, and any warning stops the run before its
    // first write.
    Survey survey;
    if (o.strict || (inputs->looks[0].places() && !o.contact_sheet_path.isEmpty()))
        survey = survey_labels(*inputs, jobs_of(o), o.strict);
    if (o.strict) {
        const QStringList lines = survey_warnings(*inputs, survey);
        for (const QString& line : lines)
            print(err, QStringLiteral("quorvane-batch: warning: %1\n").arg(line));
        if (!lines.isEmpty() || !warnings.isEmpty()) {
            print(err, QStringLiteral("quorvane-batch: --strict: nothing written, as there were "
                                      "warnings\n"));
            return kExitWriteFailed;
        }
    }
    std::optional<SheetLayout> sheet;
    if (!o.contact_sheet_path.isEmpty() && !o.labels_path.isEmpty()) {
        auto layout =
            sheet_layout(main_widths(*inputs, survey), inputs->picture.background.height());
        if (!layout) {
            print(err, QStringLiteral("quorvane-batch: %1\n").arg(layout.error()));
            return kExitBadInput;
        }
        sheet = std::move(*layout);
    }
    // A run killed earlier may have left its temporary files where this one writes.
    for (const QString& folder : inputs->folders) remove_stale_temporaries(folder);
    if (!o.save_style_path.isEmpty()) {
        if (auto saved = write_style_file(o.save_style_path, style_to_save(o)); !saved) {
            print(err, QStringLiteral("quorvane-batch: %1\n").arg(saved.error()));
            return kExitWriteFailed;
        }
        if (o.labels_path.isEmpty()) return kExitOk;
    }
    return write_buttons(o, *inputs, std::move(survey), std::move(sheet), out, err);
}

}  // namespace

int run_tool(const QStringList& args, std::FILE* out, std::FILE* err) {
    const int status = run_steps(args, out, err);
    // What a script reads from standard output is part of the result: losing it is a failure.
    if (std::fflush(out) != 0 || std::ferror(out)) {
        const int error = errno;
        print(err, QStringLiteral("quorvane-batch: cannot write standard output: %1\n")
                       .arg(error ? system_error_text(error) : QStringLiteral("write error")));
        return status == kExitOk ? kExitWriteFailed : status;
    }
    return status;
}

}  // namespace qv::cli
