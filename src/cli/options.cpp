#include "cli/options.h"

#include "core/io/message_text.h"
#include "core/render/style_conversions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringView>

#include <array>
#include <initializer_list>
#include <limits>
#include <type_traits>
#include <utility>

namespace qv::cli {
namespace {

Failure bad(const QString& what) {
    return Failure{what};
}

// Whole numbers only, written plainly: an optional minus and digits. A size of "12.5" or "1e1"
// is refused rather than guessed at.
std::optional<long long> whole_number(QStringView text) {
    qsizetype i = 0;
    if (text.startsWith(u'-')) i = 1;
    if (i == text.size() || text.size() > 12) return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < u'0' || text[k] > u'9') return std::nullopt;
    return text.toLongLong();
}

Result<long long> number_in_range(const QString& option, const QString& text, long long low,
                                  long long high) {
    const auto value = whole_number(text);
    if (!value || *value < low || *value > high)
        return bad(QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                       .arg(option)
                       .arg(low)
                       .arg(high)
                       .arg(shown_in_message(text)));
    return *value;
}

// Each part as the window's colour boxes read it; a part whose face colour would not even fit
// the window's 16-bit conversion would fail every drawing, so it is refused here.
Result<void> read_colour(const QString& text, std::array<QString, 3>& parts) {
    const QStringList split = text.split(u',');
    if (split.size() != 3)
        return bad(QStringLiteral("--color takes three numbers R,G,B, not \"%1\"")
                       .arg(shown_in_message(text)));
    for (int i = 0; i < 3; ++i) {
        if (!parse_number(split[i]))
            return bad(
                QStringLiteral("--color: \"%1\" is not a number").arg(shown_in_message(split[i])));
        if (!face_component(split[i]))
            return bad(
                QStringLiteral("--color: \"%1\" is out of range").arg(shown_in_message(split[i])));
        parts[i] = split[i];
    }
    return {};
}

// LEFT,RIGHT: the caps in pixels. Given over a style's stretch, it changes only the caps.
Result<void> read_caps(const QString& text, Options& o) {
    const QStringList parts = text.split(u',');
    std::optional<long long> left, right;
    if (parts.size() == 2) {
        left = whole_number(parts[0]);
        right = whole_number(parts[1]);
    }
    if (!left || !right || *left < 0 || *right < 0 || *left > kMaxStretchCap ||
        *right > kMaxStretchCap)
        return bad(QStringLiteral("--stretch takes two whole numbers LEFT,RIGHT from 0 to %1, "
                                  "not \"%2\"")
                       .arg(kMaxStretchCap)
                       .arg(shown_in_message(text)));
    Stretch& s = o.style.stretch ? *o.style.stretch : o.style.stretch.emplace();
    s.left_cap = int(*left);
    s.right_cap = int(*right);
    return {};
}

// Two different, non-empty suffixes: the hover and pressed files of a label must not meet.
Result<void> read_suffixes(const QString& text, Options& o) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 2 || parts[0].isEmpty() || parts[1].isEmpty() || parts[0] == parts[1])
        return bad(QStringLiteral("--state-suffixes takes two different suffixes HOVER,PRESSED, "
                                  "not \"%1\"")
                       .arg(shown_in_message(text)));
    o.hover_suffix = parts[0];
    o.pressed_suffix = parts[1];
    return {};
}

// `value` as one of the words of `choices` into `target`; refused with the words in order, as
// "--align takes left, center or right".
template <typename T, typename Target>
Result<void> one_of(const QString& name, const QString& value,
                    std::initializer_list<std::pair<const char*, T>> choices, Target& target) {
    QStringList words;
    for (const auto& [word, meaning] : choices) {
        if (value == QLatin1String(word)) {
            target = meaning;
            return {};
        }
        words << QLatin1String(word);
    }
    const QString last = words.takeLast();
    return bad(QStringLiteral("%1 takes %2 or %3, not \"%4\"")
                   .arg(name, words.join(QStringLiteral(", ")), last, shown_in_message(value)));
}

Result<void> read_value(Options& o, const QString& name, const QString& value) {
    auto number = [&](long long low, long long high, auto& target) -> Result<void> {
        const auto n = number_in_range(name, value, low, high);
        if (!n) return Failure{n.error()};
        target = static_cast<std::remove_reference_t<decltype(target)>>(*n);
        return {};
    };
    if (name == u"--labels") {
        o.labels_path = value;
    } else if (name == u"--out") {
        o.out_dir = value;
    } else if (name == u"--background") {
        o.style.background = value;
    } else if (name == u"--font") {
        o.style.font = value;
    } else if (name == u"--contact-sheet") {
        o.contact_sheet_path = value;
    } else if (name == u"--name") {
        if (const auto error = name_template_error(value))
            return bad(QStringLiteral("--name: ") + *error);
        o.name_template = value;
    } else if (name == u"--hover") {
        o.hover_style_path = value;
    } else if (name == u"--pressed") {
        o.pressed_style_path = value;
    } else if (name == u"--state-suffixes") {
        return read_suffixes(value, o);
    } else if (name == u"--html") {
        o.html_path = value;
    } else if (name == u"--style") {
        o.style_path = value;
    } else if (name == u"--save-style") {
        o.save_style_path = value;
    } else if (name == u"--size") {
        return number(kMinFontSize, kMaxFontSize, o.style.size);
    } else if (name == u"--margin-left") {
        return number(0, kMaxMargin, o.style.margin_left);
    } else if (name == u"--margin-right") {
        return number(0, kMaxMargin, o.style.margin_right);
    } else if (name == u"--min-size") {
        return number(kMinFontSize, kMaxFontSize, o.style.min_size);
    } else if (name == u"--fit") {
        return one_of<FitMode>(
            name, value,
            {{"none", FitMode::None}, {"shrink", FitMode::Shrink}, {"wrap", FitMode::Wrap}},
            o.style.fit);
    } else if (name == u"--stretch") {
        return read_caps(value, o);
    } else if (name == u"--stretch-mode") {
        StretchMode mode{};
        auto r = one_of<StretchMode>(
            name, value, {{"scale", StretchMode::Scale}, {"tile", StretchMode::Tile}}, mode);
        if (r) o.stretch_mode = mode;
        return r;
    } else if (name == u"--min-width") {
        o.min_width.emplace();
        return number(1, kMaxStretchWidth, *o.min_width);
    } else if (name == u"--max-width") {
        o.max_width.emplace();
        return number(1, kMaxStretchWidth, *o.max_width);
    } else if (name == u"--jobs") {
        return number(1, kMaxJobs, o.jobs);
    } else if (name == u"--y") {
        std::int16_t y = 0;
        auto r = number(std::numeric_limits<std::int16_t>::min(),
                        std::numeric_limits<std::int16_t>::max(), y);
        if (r) o.style.text_y = y;
        return r;
    } else if (name == u"--color") {
        return read_colour(value, o.style.color);
    } else if (name == u"--align") {
        return one_of<AlignMode>(
            name, value, {{"left", kAlignLeft}, {"center", kAlignCentre}, {"right", kAlignRight}},
            o.style.align);
    } else if (name == u"--format") {
        return one_of<ButtonFormat>(
            name, value, {{"bmp", ButtonFormat::Bmp}, {"png", ButtonFormat::Png}}, o.style.format);
    }
    return {};
}

// Every option: its name, and the name of its value for those that take one.
struct OptionName {
    const char* name;
    const char* value;  // nullptr: a switch
};
constexpr OptionName kOptions[] = {
    {"labels", "FILE"},
    {"out", "DIR"},
    {"background", "FILE"},
    {"font", "FAMILY"},
    {"size", "POINTS"},
    {"color", "R,G,B"},
    {"align", "SIDE"},
    {"margin-left", "N"},
    {"margin-right", "N"},
    {"y", "N"},
    {"format", "FORMAT"},
    {"fit", "MODE"},
    {"min-size", "POINTS"},
    {"stretch", "LEFT,RIGHT"},
    {"stretch-mode", "MODE"},
    {"min-width", "N"},
    {"max-width", "N"},
    {"jobs", "N"},
    {"contact-sheet", "FILE"},
    {"style", "FILE"},
    {"save-style", "FILE"},
    {"name", "TEMPLATE"},
    {"hover", "FILE"},
    {"pressed", "FILE"},
    {"state-suffixes", "HOVER,PRESSED"},
    {"html", "FILE"},
    {"bold", nullptr},
    {"italic", nullptr},
    {"underline", nullptr},
    {"shadow", nullptr},
    {"outline", nullptr},
    {"3d", nullptr},
    {"check", nullptr},
    {"strict", nullptr},
    {"quiet", nullptr},
    {"version", nullptr},
};

void set_switch(Options& o, QStringView name) {
    if (name == u"bold")
        o.style.bold = true;
    else if (name == u"italic")
        o.style.italic = true;
    else if (name == u"underline")
        o.style.underline = true;
    else if (name == u"shadow")
        o.style.shadow = true;
    else if (name == u"outline")
        o.style.outline = true;
    else if (name == u"3d")
        o.style.relief = true;
    else if (name == u"check")
        o.check = true;
    else if (name == u"strict")
        o.strict = true;
    else if (name == u"quiet")
        o.quiet = true;
}

// The option `name` as the arguments spell it ("-x" or "--x", without any "=value").
QString as_given(const QStringList& args, const QString& name) {
    for (const QString& arg : args) {
        const QStringView option = QStringView(arg).left(arg.indexOf(u'='));
        for (const QStringView dashes : {u"--", u"-"})
            if (option.startsWith(dashes) && option.mid(dashes.size()) == name)
                return option.toString();
    }
    return QStringLiteral("--") + name;
}

// The stretch's mode and bounds given as options, over the stretch of --stretch or the style file.
// Without a stretch they have nothing to change: refused, unless a --style file is still to be
// read (the command line is read again over it).
Result<void> apply_stretch_options(Options& o) {
    if (!o.stretch_mode && !o.min_width && !o.max_width) return {};
    if (!o.style.stretch) {
        if (!o.style_path.isEmpty() && !o.style_file_read) return {};
        const char* option = o.stretch_mode ? "--stretch-mode"
                             : o.min_width  ? "--min-width"
                                            : "--max-width";
        return bad(QStringLiteral("%1 changes a stretched background: it needs --stretch "
                                  "LEFT,RIGHT, or a --style file with \"stretch\"")
                       .arg(QLatin1String(option)));
    }
    Stretch& s = *o.style.stretch;
    if (o.stretch_mode) s.mode = *o.stretch_mode;
    if (o.min_width) s.min_width = o.min_width;
    if (o.max_width) s.max_width = o.max_width;
    if (s.min_width && s.max_width && *s.min_width > *s.max_width)
        return bad(QStringLiteral("the smallest width (%1) is above the largest (%2): give "
                                  "--min-width at most --max-width")
                       .arg(*s.min_width)
                       .arg(*s.max_width));
    if (s.max_width && *s.max_width < s.left_cap + s.right_cap)
        return bad(
            QStringLiteral("the largest width (%1) is less than the two caps (%2 + %3): give "
                           "--max-width at least their sum")
                .arg(*s.max_width)
                .arg(s.left_cap)
                .arg(s.right_cap));
    return {};
}

}  // namespace

Result<Parsed> parse_options(const QStringList& args, const Options& base) {
    QCommandLineParser parser;
    // "-h" and "-help" as well as "--help": one dash takes a whole name, never a cluster of
    // letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const OptionName& option : kOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString(),
                                            QString::fromLatin1(option.value)));
    // The parser takes the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("quorvane-batch")} + args)) {
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty())
            return bad(QStringLiteral("unknown option \"%1\"")
                           .arg(shown_in_message(as_given(args, unknown.first()))));
        // A missing value, or a value given to a switch: Qt's words, in the tool's form.
        QString error = parser.errorText();
        if (error.endsWith(u'.')) error.chop(1);
        if (!error.isEmpty()) error[0] = error[0].toLower();
        return bad(shown_in_message(error));
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty())
        return bad(
            QStringLiteral("unexpected argument \"%1\"").arg(shown_in_message(extra.first())));

    Parsed parsed{Action::Run, base};
    Options& o = parsed.options;
    // Each value is checked, in the order given; of an option given twice the last one holds.
    for (const OptionName& option : kOptions) {
        const QString name = QString::fromLatin1(option.name);
        if (!option.value) {
            if (parser.isSet(name)) set_switch(o, name);
            continue;
        }
        for (const QString& value : parser.values(name))
            if (auto r = read_value(o, QStringLiteral("--") + name, value); !r)
                return Failure{r.error()};
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parsed.action = Action::Help;
        return parsed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parsed.action = Action::Version;
        return parsed;
    }
    if (auto r = apply_stretch_options(o); !r) return Failure{r.error()};
    // --save-style alone only writes the style.
    if (o.labels_path.isEmpty() && o.save_style_path.isEmpty())
        return bad(QStringLiteral("--labels FILE (or -) is required"));
    if (o.out_dir.isEmpty() && !o.check && !o.labels_path.isEmpty())
        return bad(QStringLiteral("--out DIR is required"));
    return parsed;
}

ButtonStyle style_for(const StyleSettings& s, std::int16_t text_y) {
    ButtonStyle style;
    style.font_name = s.font;
    style.font_size = QString::number(s.size);
    style.font_bold = s.bold ? kTrue : kFalse;
    style.font_italic = s.italic ? kTrue : kFalse;
    style.font_underline = s.underline ? kTrue : kFalse;
    style.color_r = s.color[0];
    style.color_g = s.color[1];
    style.color_b = s.color[2];
    style.align_mode = s.align;
    style.margin_left = QString::number(s.margin_left);
    style.margin_right = QString::number(s.margin_right);
    style.text_y = text_y;
    style.effet1_on = s.shadow ? kTrue : kFalse;
    style.effet2_on = s.outline ? kTrue : kFalse;
    style.effet3_on = s.relief ? kTrue : kFalse;
    return style;
}

QString version_text() {
    return QStringLiteral("quorvane-batch ") + QLatin1String(kVersion);
}

QString help_text() {
    return QStringLiteral(
        "Usage: quorvane-batch --labels FILE|- --out DIR [options]\n"
        "  or:  quorvane-batch --save-style FILE [options]\n"
        "\n"
        "Draws one button per label of a text list and writes it into DIR, exactly as\n"
        "the window's \"make all buttons\" does with the same picture, labels and style.\n"
        "\n"
        "Inputs:\n"
        "  --labels FILE|-          the text list, one label per line (a line ends at LF,\n"
        "                           CR LF or CR; spaces and empty lines are labels too;\n"
        "                           UTF-8, Windows-1252, or UTF-16 with its byte order\n"
        "                           mark); - reads standard input; at most 64 MiB and\n"
        "                           2,000,000 lines\n"
        "  --out DIR                existing directory for the buttons, each named after\n"
        "                           its label plus .bmp or .png (an empty label gives\n"
        "                           \".bmp\", a label with / goes into an existing\n"
        "                           subfolder, a label that would leave DIR, by .. or\n"
        "                           through a link, is refused)\n"
        "  --background FILE        picture to draw on (BMP, JPEG, GIF, PNG...); without\n"
        "                           it, a 65x43 button in the window's background colour\n"
        "\n"
        "Label style:\n"
        "  --font FAMILY            font family (default: the window's face before a\n"
        "                           font is chosen)\n"
        "  --size POINTS            5 to 100 (default 10)\n"
        "  --bold, --italic, --underline\n"
        "  --color R,G,B            face colour (default 255,255,255); each part is read\n"
        "                           like the window's colour boxes: 12.5 gives 12, 300\n"
        "                           gives 255\n"
        "  --align left|center|right\n"
        "                           horizontal alignment (default center)\n"
        "  --margin-left N          0 to 200, used with --align left (default 0)\n"
        "  --margin-right N         0 to 200, used with --align right (default 0)\n"
        "  --y N                    top of the text line in pixels, -32768 to 32767\n"
        "                           (default: centred on the picture; 0 without\n"
        "                           --background)\n"
        "  --shadow, --outline, --3d\n"
        "                           text effects, in any combination\n"
        "\n"
        "Labels that fit:\n"
        "  --fit none|shrink|wrap   a label too wide for its button is drawn as it is\n"
        "                           (none, the default), made smaller point by point\n"
        "                           until its ink with every effect lies between the\n"
        "                           margins (shrink, the line kept where the style puts\n"
        "                           it), or broken at a space into two lines centred as\n"
        "                           a block where the one line would be, then made\n"
        "                           smaller if still too wide (wrap)\n"
        "  --min-size POINTS        5 to 100, the smallest size shrink and wrap may\n"
        "                           choose (default 5); above --size the size stays\n"
        "  --stretch LEFT,RIGHT     the background takes each label's width: LEFT and\n"
        "                           RIGHT pixels (0 to 2000) at the picture's edges are\n"
        "                           kept as they are, the middle between them stretched;\n"
        "                           the caps add to the margins\n"
        "  --stretch-mode scale|tile\n"
        "                           the middle scaled smoothly (default) or repeated\n"
        "  --min-width N, --max-width N\n"
        "                           bounds of the button's width, 1 to 8000 (at most\n"
        "                           8000 in any case); these three change the stretch of\n"
        "                           --stretch or of the --style file, and without one\n"
        "                           are refused\n"
        "With --stretch, the --hover and --pressed looks of a label take the main look's\n"
        "width (each picture stretched with its style's caps, else the main look's);\n"
        "every look fits its label with its own style's fit and smallest size.\n"
        "\n"
        "Styles:\n"
        "  --style FILE             read the label style, background picture and format\n"
        "                           from a style file (as the window's \"save style\"\n"
        "                           writes it); options given as well override it\n"
        "  --save-style FILE        write the style that the options (and any --style)\n"
        "                           describe; without --labels nothing else is written\n"
        "\n"
        "A style file is a small JSON file, described in\n"
        "/usr/share/doc/quorvane/style-format.md. One saved in the window keeps the\n"
        "window's text line position (\"y\"), so the tool then writes the very files\n"
        "that the window's \"make all buttons\" writes.\n"
        "\n"
        "Output:\n"
        "  --format bmp|png         file format (default bmp, 24 bits, as the window\n"
        "                           writes); PNG keeps the transparency of a picture\n"
        "                           that has some, the label drawn over it with soft,\n"
        "                           partly clear edges in its own colour\n"
        "  --jobs N                 parallel workers, 1 to 256 (default: one per core);\n"
        "                           at most one per label and 64; the files written\n"
        "                           never depend on it\n"
        "  --contact-sheet FILE     also write one PNG showing every button in a grid,\n"
        "                           once the last button is written\n"
        "  --check                  write nothing (not even --save-style); list on\n"
        "                           standard output each label whose ink (its effects'\n"
        "                           too) is cut off at an edge of the button, with the\n"
        "                           edges and pixels lost, that has characters no\n"
        "                           installed font has, or one of whose files would have\n"
        "                           the name of another label's file (names that differ\n"
        "                           only in characters no file name holds are one); a\n"
        "                           label, a tab, then what is wrong with it; with --fit\n"
        "                           or --stretch every label is listed, with the size\n"
        "                           chosen, the lines and the width: \"Home\\t14 pt,\n"
        "                           80 px\", \"Einstellungsverwaltung\\t14 -> 11 pt,\n"
        "                           212 px\", and \"does not fit at 5 pt\" for a label\n"
        "                           still too wide at the smallest size\n"
        "  --strict                 any warning (a clipped label, a character no font\n"
        "                           has, a label that does not fit, an unknown key)\n"
        "                           ends the run with status 1 before anything is\n"
        "                           written; the warnings are listed as --check lists\n"
        "                           them\n"
        "  --quiet                  no progress bar, no summary of --check and no notes\n"
        "                           from Qt about fonts on standard error\n"
        "  -h, --help, --version\n"
        "\n"
        "Web sets:\n"
        "  --name TEMPLATE          file names (default {label}); the extension is added\n"
        "                           after. {label} is the label as typed, {n} its place\n"
        "                           in the list from 1, {slug} the label in lower case\n"
        "                           with letters and digits (any script) kept and every\n"
        "                           run of other characters made one -, none at either\n"
        "                           end (a label without letters or digits gives {n});\n"
        "                           the result follows the label path rules above\n"
        "  --hover FILE             also draw every label with this style file's look,\n"
        "                           named with -hover after the name\n"
        "  --pressed FILE           the same for the pressed look, named with -pressed\n"
        "  --state-suffixes HOVER,PRESSED\n"
        "                           other suffixes for those two looks\n"
        "  --html FILE              once every file is written, a self-contained page\n"
        "                           (no script, nothing fetched from elsewhere) showing\n"
        "                           the set as a menu, with the hover look under the\n"
        "                           pointer and the pressed look while pressed\n"
        "\n"
        "A hover or pressed style without a background draws on the main picture and\n"
        "the main format applies; the style options above apply to the main look only.\n"
        "A label's files are written main, hover, pressed, before the next label's.\n"
        "\n"
        "Labels are written in list order; the same label listed twice writes its file\n"
        "twice. Before the first file is written, every file of the run (buttons of\n"
        "every look, --html, --contact-sheet, --save-style) is checked against the\n"
        "inputs and against each other. Stale temporary files (.quorvane-PID-N.tmp) of\n"
        "runs that are gone are removed from the folders written.\n"
        "The last line on standard output is \"wrote N buttons to DIR\". A progress bar\n"
        "is shown on standard error while it is a terminal.\n"
        "\n"
        "Exit status:\n"
        "  0  every button was written (with --check: the check ran, whether or not it\n"
        "     listed any label); warnings do not change it without --strict\n"
        "  1  a button could not be written: the message names the path and the reason;\n"
        "     the buttons before it stay written and none after it is written. Also:\n"
        "     standard output could not be written, memory ran out, or --strict found\n"
        "     a warning (nothing is written then)\n"
        "  2  bad arguments, an unreadable input (labels, picture, directory, font,\n"
        "     style file), or a label that cannot name a file (it leaves DIR, holds a\n"
        "     NUL, needs a missing or read-only folder, is too long, is a folder), two\n"
        "     labels or looks whose files are one, or any file of the run that would\n"
        "     replace an input (picture, label list, style file) or another file of the\n"
        "     run, or that is a folder, a symbolic link or read-only: the message names\n"
        "     the first such file and who writes it; nothing is written\n"
        "\n"
        "Examples:\n"
        "The sample pictures, list and styles are installed in /usr/share/quorvane/\n"
        "(or share/quorvane/ beside the folder holding quorvane-batch). A\n"
        "transparent, named, three-state set and its page:\n"
        "\n"
        "  mkdir -p site/img\n"
        "  quorvane-batch --labels /usr/share/quorvane/samples/menu.txt \\\n"
        "      --out site/img --format png \\\n"
        "      --background /usr/share/quorvane/buttons/green_pill_clear.png \\\n"
        "      --font \"DejaVu Sans\" --bold --shadow --name 'btn-{slug}' \\\n"
        "      --hover /usr/share/quorvane/samples/hover.qvstyle \\\n"
        "      --pressed /usr/share/quorvane/samples/pressed.qvstyle \\\n"
        "      --html site/menu.html\n"
        "\n"
        "writes site/img/btn-home.png, btn-home-hover.png, btn-home-pressed.png,\n"
        "btn-news.png... and site/menu.html.\n");
}

}  // namespace qv::cli
