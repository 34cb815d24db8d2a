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
]

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
]

IMPORT_RE = re.compile(r"^\s*import\s+([A-Za-z][\w.]*)\s+(\d+)\.(\d+)")


def strip_comment(line):
    # Good enough for our style: no "//" inside strings on lines that matter here.
    return re.sub(r"//.*$", "", line) if "://" not in line else line


def check_qml(path, findings):
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = strip_comment(raw)
        m = IMPORT_RE.match(line)
        if m:
            module, version = m.group(1), (int(m.group(2)), int(m.group(3)))
            limit = IMPORT_LIMITS.get(module)
            if limit and version > limit:
                findings.append(f"{path}:{number}: import {module} {version[0]}.{version[1]}, "
                                f"5.12 has {limit[0]}.{limit[1]}")
            continue
        for pattern, why in QML_CONSTRUCTS:
            if pattern.search(line):
                findings.append(f"{path}:{number}: {why}")


def check_cpp(path, findings):
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = strip_comment(raw)
        for pattern, why in CPP_CONSTRUCTS:
            if pattern.search(line):
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
