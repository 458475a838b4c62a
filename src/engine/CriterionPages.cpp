#include "CriterionPages.h"

#include "KeywordCriterion.h"

using namespace Qt::StringLiterals;

ParameterOutcome RunParameterStep(int page, RunHost& host) {
    switch (page) {
    case KeywordPage:
        return KeywordParameterStep(host);
    default:
        // Pages whose criterion is not built yet refuse the run rather than pretend to sort.
        return InputError{u"此分拣方式尚未完成，请选择其他分拣方式。"_s, {}};
    }
}
