#include "platform/log_format.h"

#include <cstdio>

namespace brindlemoor {
namespace {

std::string printfOne(const std::string& spec, const LogArgument& argument, char conversion)
{
    char buffer[512];
    // `spec` holds "%", flags, width and precision, without length or conversion.
    auto render = [&](const std::string& format, auto value) {
        int n = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
        if (n < 0)
            return std::string();
        if (static_cast<size_t>(n) < sizeof buffer)
            return std::string(buffer, static_cast<size_t>(n));
        std::string big(static_cast<size_t>(n) + 1, '\0');
        std::snprintf(big.data(), big.size(), format.c_str(), value);
        big.resize(static_cast<size_t>(n));
        return big;
    };
    auto asText = [](const LogArgument& a) -> std::string {
        if (auto b = std::get_if<bool>(&a))
            return *b ? "true" : "false";
        if (auto i = std::get_if<std::int64_t>(&a))
            return std::to_string(*i);
        if (auto u = std::get_if<std::uint64_t>(&a))
            return std::to_string(*u);
        if (auto d = std::get_if<double>(&a))
            return std::to_string(*d);
        return std::get<std::string>(a);
    };

    switch (conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
        if (auto i = std::get_if<std::int64_t>(&argument))
            return render(spec + "ll" + conversion, static_cast<long long>(*i));
        if (auto u = std::get_if<std::uint64_t>(&argument))
            return render(spec + "ll" + conversion, static_cast<unsigned long long>(*u));
        if (auto b = std::get_if<bool>(&argument))
            return render(spec + "ll" + conversion, static_cast<long long>(*b));
        break;
    case 'f':
    case 'g':
    case 'e':
        if (auto d = std::get_if<double>(&argument))
            return render(spec + conversion, *d);
        if (auto i = std::get_if<std::int64_t>(&argument))
            return render(spec + conversion, static_cast<double>(*i));
        break;
    default:
        break;
    }
    return render(spec + "s", asText(argument).c_str());
}

} // namespace

std::string formatLogMessage(std::string_view format, const std::vector<LogArgument>& arguments)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        std::string annotation;
        if (j < format.size() && format[j] == '{') {
            size_t close = format.find('}', j);
            if (close == std::string_view::npos)
                break;
            annotation = std::string(format.substr(j + 1, close - j - 1));
            j = close + 1;
        }
        std::string spec = "%";
        while (j < format.size() && std::string_view("-+ #0123456789.").find(format[j]) != std::string_view::npos)
            spec += format[j++];
        while (j < format.size() && std::string_view("hlqLjzt").find(format[j]) != std::string_view::npos)
            ++j;
        if (j >= format.size())
            break;
        char conversion = format[j];
        if (next < arguments.size()) {
            const LogArgument& argument = arguments[next++];
            if (annotation == "bool") {
                bool truth = std::visit([](const auto& v) {
                    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
                        return !v.empty();
                    else
                        return v != 0;
                }, argument);
                out += printfOne(spec, std::string(truth ? "true" : "false"), 's');
            } else {
                out += printfOne(spec, argument, conversion == '@' ? 's' : conversion);
            }
        }
        i = j;
    }
    return out;
}

} // namespace brindlemoor
