#include "Raises.h"

#include "Error.h"

testing::AssertionResult Raises(const std::function<void()>& action, std::int32_t number,
                                const std::optional<std::wstring>& description,
                                const std::optional<std::wstring>& source) {
    try {
        action();
    } catch (const Error& error) {
        if (error.Number() == number && description.value_or(error.Description()) == error.Description() &&
            source.value_or(error.Source()) == error.Source())
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "raised " << error.Number() << " from " << testing::PrintToString(error.Source()) << ": "
               << testing::PrintToString(error.Description());
    }
    return testing::AssertionFailure() << "raised no error";
}
