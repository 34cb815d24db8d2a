#!/usr/bin/env python3
"""Fails on QML or C++ in the system's own code that the board's Qt 5.12 does not have.

The board brings Qt 5.12; we build and test on 5.15, where newer imports and constructs work
and would only fail on the board. Usage: check-qt512.py <source dir> (checks src/ and qml/).
Prints one line per finding and exits 1 when there is any.
"""
import re
import sys
from pathlib import Path

# Highest import version of each Qt module that 5.12 ships.
IMPORT_LIMITS = {
    "QtQuick": (2, 12),
    "QtQuick.Controls": (2, 12),
    "QtQuick.Layouts": (1, 12),
    "QtQuick.Window": (2, 12),
    "QtQuick.Dialogs": (1, 3),
    "QtQuick.Templates": (2, 12),
    "QtQml": (2, 12),
    "QtQml.Models": (2, 12),
    "QtGraphicalEffects": (1, 12),
    "QtWebEngine": (1, 8),
}

QML_CONSTRUCTS = [
    (re.compile(r"^\s*component\s+\w+\s*:"), "inline component (5.15): use a file of its own"),
    (re.compile(r"\bConnections\s*\{"),
     "Connections: 5.12 knows only onFoo:, which 5.15 warns about; bind to the property "
     "and handle its change, or connect the signal"),
    (re.compile(r"\bRegularExpressionValidator\b"), "RegularExpressionValidator (5.14)"),
    (re.compile(r"\brestoreMode\b"), "Binding.restoreMode (5.14)"),
    (re.compile(r"^\s*required\s+property\b"), "required property (5.15)"),
    (re.compile(r"\?\?|\?\.(?!\d)"), "?? or ?. (5.15's script engine)"),
    (re.compile(r"\bQt\.uiLanguage\b"), "Qt.uiLanguage (5.15)"),
    (re.compile(r"\bText\.MarkdownText\b"), "Text.MarkdownText (5.14)"),
]

# Imports refused whatever their version: newer than 5.12, or not part of the board's Qt (the
# labs modules; the style modules, since the board's platform brings the style).
REFUSED_IMPORTS = [
    (re.compile(r"^QtQml\.WorkerScript$"), "QtQml.WorkerScript (5.14): use WorkerScript from QtQuick"),
    (re.compile(r"^Qt\.labs\."), "Qt.labs modules are not part of the board's Qt"),
    (re.compile(r"^QtQuick\.Controls\.(Material|Universal|Fusion|Imagine|Default)(\.|$)"),
     "a Qt Quick Controls style module: the board's platform brings the style"),
]

# mapToItem/mapFromItem(item, point) came with 5.15; 5.12 takes (item, x, y[, width, height]).
MAP_CALL_RE = re.compile(r"\bmap(To|From)Item\s*\(")

CPP_CONSTRUCTS = [
    (re.compile(r"\bQt::(SkipEmptyParts|KeepEmptyParts|endl)\b"), "Qt:: split/endl names (5.14)"),
    (re.compile(r"\bQRecursiveMutex\b"), "QRecursiveMutex (5.14)"),
    (re.compile(r"\bQCalendar\b"), "QCalendar (5.14)"),
    (re.compile(r"\berrorOccurred\b"), "errorOccurred signals (5.15)"),
    (re.compile(r"\bsetTransferTimeout\b"), "QNetworkRequest::setTransferTimeout (5.15)"),
    (re.compile(r"\bsetHighDpiScaleFactorRoundingPolicy\b"), "rounding policy (5.14)"),
    (re.compile(r"\bstartCommand\b"), "QProcess::startCommand (5.15)"),
    (re.compile(r"\b(startOfDay|endOfDay)\b"), "QDate::startOfDay/endOfDay (5.14)"),
    (re.compile(r"\bswapItemsAt\b"), "QList::swapItemsAt (5.13)"),
    (re.compile(r"\bQ_NAMESPACE_EXPORT\b"), "Q_NAMESPACE_EXPORT (5.14)"),
    (re.compile(r"\bQ_DISABLE_COPY_MOVE\b"), "Q_DISABLE_COPY_MOVE (5.13)"),
    (re.compile(r"\bsetAutoDeleteReplies\b"), "QNetworkAccessManager::setAutoDeleteReplies (5.14)"),
    (re.compile(r"\bQt::(bin|oct|dec|hex|showbase|forcesign|forcepoint|noshowbase|noforcesign|"
                r"noforcepoint|uppercasebase|uppercasedigits|lowercasebase|lowercasedigits|fixed|"
                r"scientific|left|right|center|flush|reset|bom|ws)\b"),
     "Qt:: stream manipulators (5.14): use the unqualified ones"),
    (re.compile(r"\bQSettings\b[^;]*\(\s*(QSettings::)?(UserScope|SystemScope)\s*"
                r"(\)|,\s*(this|nullptr|\w*[pP]arent\w*)\s*\))"), "QSettings(Scope, parent) (5.13)"),
    (re.compile(r"\bQMetaType::fromType\b"), "QMetaType::fromType (5.15)"),
    (re.compile(r"\bQMetaType\s*\([^()]*\)\s*\.\s*(id|name)\s*\("), "QMetaType::id()/name() (5.13/5.15)"),
    (re.compile(r"\bqmlRegisterSingletonInstance\b"), "qmlRegisterSingletonInstance (5.14)"),
    (re.compile(r"\bcreateWithInitialProperties\b"), "createWithInitialProperties (5.14)"),
    (re.compile(r"\bQThreadPool::globalInstance\(\)\s*->\s*(start|tryStart)\s*\(\s*\["),
     "QThreadPool::start(std::function) (5.15)"),
    # The board's SDK need not ship private headers, and their types and the Qt Quick Compiler's
    # generated names change between versions without notice.
    (re.compile(r"#\s*include\s*[<\"][^>\"]*(_p\.h|qqmlprivate\.h)[>\"]"), "private Qt header"),
    (re.compile(r"\bQ\w*Private\b|\bQV4::|\bQmlCacheGeneratedCode\b"),
     "Qt's private types or the Qt Quick Compiler's generated names"),
]

# Members that came later, called on a variable of the named type: (type, methods, why).
TYPED_CALLS = [
    ("QMetaType", "id|name", "QMetaType::id()/name() (5.13/5.15)"),
    ("QThreadPool", "start|tryStart", "QThreadPool::start(std::function) (5.15)"),
]

IMPORT_RE = re.compile(r"^\s*import\s+([A-Za-z][\w.]*)\s+(\d+)\.(\d+)")


def strip_comment(line):
    # Good enough for our style: no "//" inside strings on lines that matter here.
    return re.sub(r"//.*$", "", line) if "://" not in line else line


def argument_count(text, open_paren):
    """Top-level arguments of the call whose "(" is at open_paren; None if it does not close."""
    depth, count, empty = 0, 1, True
    for ch in text[open_paren:]:
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
            if depth == 0:
                return 0 if empty else count
        elif ch == "," and depth == 1:
            count += 1
        elif not ch.isspace() and depth >= 1:
            empty = False
    return None


def check_qml(path, findings):
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = strip_comment(raw)
        for call in MAP_CALL_RE.finditer(line):
            if argument_count(line, call.end() - 1) == 2:
                findings.append(f"{path}:{number}: map{call.group(1)}Item(item, point) (5.15)")
        m = IMPORT_RE.match(line) or re.match(r"^\s*import\s+([A-Za-z][\w.]*)\s*$", line)
        if m:
            for pattern, why in REFUSED_IMPORTS:
                if pattern.search(m.group(1)):
                    findings.append(f"{path}:{number}: {why}")
            if m.lastindex == 1:
                continue
            module, version = m.group(1), (int(m.group(2)), int(m.group(3)))
            limit = IMPORT_LIMITS.get(module)
            if limit and version > limit:
                findings.append(f"{path}:{number}: import {module} {version[0]}.{version[1]}, "
                                f"5.12 has {limit[0]}.{limit[1]}")
            continue
        for pattern, why in QML_CONSTRUCTS:
            if pattern.search(line):
                findings.append(f"{path}:{number}: {why}")


# 5.12 ends the process when QtWebEngine::initialize() runs before the application object
# exists (5.13.2 queued it instead); after it, or not at all with Qt::AA_ShareOpenGLContexts set.
WEBENGINE_INIT_RE = re.compile(r"\bQtWebEngine::initialize\s*\(")
APP_OBJECT_RE = re.compile(r"\bQ(Gui|Core)?Application\s+\w+\s*[({]|\bnew\s+Q(Gui|Core)?Application\b")


def check_start_order(path, lines, findings):
    app_line = next((n for n, line in lines if APP_OBJECT_RE.search(line)), None)
    for number, line in lines:
        if WEBENGINE_INIT_RE.search(line) and (app_line is None or number < app_line):
            where = "before the application object" if app_line else "where no application object is made"
            findings.append(f"{path}:{number}: QtWebEngine::initialize() {where}: "
                            "Qt 5.12 ends the process there")


def check_cpp(path, findings):
    text = path.read_text(encoding="utf-8")
    check_start_order(path, [(n, strip_comment(l)) for n, l in enumerate(text.splitlines(), 1)],
                      findings)
    typed = []
    for type_name, methods, why in TYPED_CALLS:
        names = set(re.findall(r"\b%s\s*[*&]?\s*(\w+)\s*[;=({,)]" % type_name, text))
        if names:
            typed.append((re.compile(r"\b(%s)\s*(\.|->)\s*(%s)\s*\(" % ("|".join(sorted(names)), methods)),
                          type_name, why))
    for number, raw in enumerate(text.splitlines(), 1):
        line = strip_comment(raw)
        for pattern, why in CPP_CONSTRUCTS:
            if pattern.search(line):
                findings.append(f"{path}:{number}: {why}")
        for pattern, type_name, why in typed:
            m = pattern.search(line)
            # QThreadPool::start(QRunnable *) is 5.12; only a callable is new.
            if m and (type_name != "QThreadPool" or re.match(r"\s*(\[|std::function)", line[m.end():])):
                findings.append(f"{path}:{number}: {why}")


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    findings = []
    for path in sorted((root / "qml").rglob("*")):
        if path.suffix in (".qml", ".js"):
            check_qml(path, findings)
    for path in sorted((root / "src").rglob("*")):
        if path.suffix in (".cpp", ".h"):
            check_cpp(path, findings)
    for f in findings:
        print(f)
    print(f"{len(findings)} finding(s) newer than Qt 5.12")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())
