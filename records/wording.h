#pragma once
// The viewer's words in two forms: as shown, in the language the user chose, and as the
// files other programs read (the CSV) keep them, in Japanese whatever the language.
//
// A text both forms need is marked where it is written, with QT_TRANSLATE_NOOP (or
// QT_TRANSLATE_N_NOOP when a count goes in it as %n), and put into words here.

#include <QString>

namespace qel {

enum class Wording {
    Shown,    // the user's language
    Japanese, // the file formats' words
};

// `source`, marked in `context`, in the wording asked for; `count` fills %n (none: -1).
QString worded(Wording wording, const char *context, const char *source, int count = -1);

} // namespace qel
