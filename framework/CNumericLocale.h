// The "C" numeric locale on the calling thread while an object lives, so that the numbers of saved
// state are written and read with a decimal point whatever the process locale (a host may run in
// one that uses a comma). Without a "C" locale the thread keeps its own. [main-thread]
#pragma once

#include <locale.h>

namespace Orvane {

class CNumericLocale {
public:
    CNumericLocale() noexcept
        : fLocale(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))),
          fPrevious(
              fLocale != static_cast<locale_t>(0) ? uselocale(fLocale) : static_cast<locale_t>(0))
    {
    }
    ~CNumericLocale()
    {
        if (fLocale == static_cast<locale_t>(0))
            return;
        uselocale(fPrevious);
        freelocale(fLocale);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    const locale_t fLocale;
    const locale_t fPrevious;
};

} // namespace Orvane
