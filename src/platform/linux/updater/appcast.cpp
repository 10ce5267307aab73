#include "platform/linux/updater/appcast.h"

#include <QXmlStreamReader>

#include <cctype>

namespace brindlemoor {
namespace {

std::vector<long long> versionNumbers(const std::string& version)
{
    std::vector<long long> numbers;
    std::size_t position = 0;
    while (position < version.size()) {
        std::size_t end = version.find('.', position);
        if (end == std::string::npos)
            end = version.size();
        long long number = 0;
        for (std::size_t i = position; i < end && std::isdigit(static_cast<unsigned char>(version[i])); ++i)
            number = number * 10 + (version[i] - '0');
        numbers.push_back(number);
        position = end + 1;
    }
    return numbers;
}

bool isWebLink(const std::string& link)
{
    return link.rfind("https://", 0) == 0 || link.rfind("http://", 0) == 0;
}

} // namespace

int compareVersions(const std::string& a, const std::string& b)
{
    std::vector<long long> left = versionNumbers(a), right = versionNumbers(b);
    for (std::size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
        long long x = i < left.size() ? left[i] : 0, y = i < right.size() ? right[i] : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

std::optional<Appcast> Appcast::parse(const std::string& xml, std::string* error)
{
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    Appcast appcast;
    bool sawRss = false;
    std::optional<AppcastItem> item;
    std::string itemLink;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = reader.name().toString();
            if (name == "rss") {
                sawRss = true;
            } else if (name == "item") {
                item = AppcastItem{};
                itemLink.clear();
            } else if (item && name == "enclosure") {
                for (const QXmlStreamAttribute& attribute : reader.attributes()) {
                    const QString attributeName = attribute.name().toString();
                    if (attributeName == "url")
                        item->downloadLink = attribute.value().toString().trimmed().toStdString();
                    else if (attributeName == "version")
                        item->version = attribute.value().toString().trimmed().toStdString();
                    else if (attributeName == "shortVersionString")
                        item->displayVersion = attribute.value().toString().trimmed().toStdString();
                }
            } else if (item && (name == "title" || name == "link" || name == "version" || name == "shortVersionString")) {
                std::string text = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toStdString();
                if (name == "title")
                    item->title = text;
                else if (name == "link")
                    itemLink = text;
                else if (name == "version")
                    item->version = text;
                else
                    item->displayVersion = text;
            }
        } else if (reader.isEndElement() && reader.name() == QStringLiteral("item") && item) {
            if (item->downloadLink.empty())
                item->downloadLink = itemLink;
            if (item->displayVersion.empty())
                item->displayVersion = item->version;
            if (!item->version.empty() && isWebLink(item->downloadLink))
                appcast.items_.push_back(*item);
            item.reset();
        }
    }
    if (reader.hasError() || !sawRss) {
        if (error)
            *error = reader.hasError() ? reader.errorString().toStdString() : "the document is not an RSS feed";
        return std::nullopt;
    }
    return appcast;
}

std::optional<AppcastItem> Appcast::newestAbove(const std::string& currentVersion) const
{
    std::optional<AppcastItem> newest;
    for (const AppcastItem& item : items_)
        if (compareVersions(item.version, newest ? newest->version : currentVersion) > 0)
            newest = item;
    return newest;
}

} // namespace brindlemoor
