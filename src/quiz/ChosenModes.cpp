#include "ChosenModes.h"

#include "ByEarAsking.h"
#include "ReviewDraw.h"
#include "Settings.h"
#include "WeakFirstDraw.h"

namespace quiz {

std::shared_ptr<const Asking> chosenAsking(const Settings& settings)
{
    if (settings.byEar())
        return std::make_shared<ByEarAsking>();
    return std::make_shared<PictureAndCall>();
}

std::shared_ptr<const Draw> chosenDraw(const Settings& settings)
{
    if (settings.review())
        return std::make_shared<ReviewDraw>();
    if (settings.weakFirst())
        return std::make_shared<WeakFirstDraw>();
    return std::make_shared<PlainDraw>();
}

} // namespace quiz
