#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <variant>

class SortContext;

// What the per-file step of a criterion did with one file, and for a file it did not place, why.
struct FileOutcome {
    enum Kind {
        PassedOver, // the run goes on to the next file at once: no deletion, no progress step
        NoMatch,    // the file is left alone
        Placed,     // one or more placements were made; the last one decides a move
    };
    Kind kind = Placed;
    QString missed{}; // PassedOver and NoMatch: the rule the file missed, in the user's words
};

// The page fields a parameter step may refuse.
enum class InputField {
    Keywords,    // page 0: the keyword text
    RangeBegin,  // page 1: the range's first position
    RangeEnd,    // page 1: the range's last position
    Size,        // page 3: the size
    PixelLimit,  // page 5: the pixel limit
    DatePattern, // page 6: the pattern of the folder names
};

// A page field that stops a run: the message for the user and the field that gets the focus.
struct InputError {
    QString message;
    InputField field = InputField::Keywords;
};

// One criterion page, as its parameter step has set it up for a run.
class Criterion {
public:
    virtual ~Criterion() = default;
    // The per-file step: decides about source (whose extension is given) and places it through context.
    virtual FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) = 0;
    // Called once before the first file is looked at.
    virtual void begin(SortContext& context) { Q_UNUSED(context); }
};

// The result of a page's parameter step: the criterion for the run, or the reason the run does not start.
using ParameterOutcome = std::variant<std::unique_ptr<Criterion>, InputError>;
