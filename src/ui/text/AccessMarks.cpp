#include "ui/text/AccessMarks.h"

namespace pexa {

QString StripAccessMarks(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            ++i; // the next character is drawn (underlined, or a literal '&')
            if (i >= caption.size())
                break;
        }
        plain.append(caption[i]);
    }
    return plain;
}

QString AddAccessMark(const QString& label, char key) {
    if (key == '\0') {
        return label;
    }
    const QChar keyChar = QChar::fromLatin1(key).toUpper();
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label[i].toUpper() == keyChar) {
            QString marked = label;
            marked.insert(i, QLatin1Char('&'));
            return marked;
        }
    }
    return label;
}

} // namespace pexa
