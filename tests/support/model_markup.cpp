// SPDX-License-Identifier: MIT
#include "support/model_markup.h"

#include <cstring>
#include <regex>

namespace zaveze::testing {
namespace {

// As long as the engine's scans hold.
constexpr std::size_t kLongestStartTag = 1 << 20, kLongestEndTag = 4096;
constexpr std::size_t kNowhere = std::string::npos;

ModelToken Make(ModelToken::Kind kind, std::size_t begin, std::size_t end, std::string text = {},
                std::string prefix = {}, std::string name = {}, bool self_closing = false) {
    return {kind, begin, end, std::move(prefix), std::move(name), self_closing, std::move(text)};
}

}  // namespace

std::vector<ModelToken> Model_Tokens(const std::string& in) {
    static const std::regex kStart(
        "<(?:([A-Za-z_][A-Za-z0-9_.-]*):)?([A-Za-z_][A-Za-z0-9_.-]*)"
        "(?:[ \t\r\n]+[^ \t\r\n=/<>\"']+[ \t\r\n]*=[ \t\r\n]*(?:\"[^<\"]*\"|'[^<']*'))*"
        "[ \t\r\n]*(/?)>");
    static const std::regex kEnd(
        "</((?:[A-Za-z_][A-Za-z0-9_.-]*:)?[A-Za-z_][A-Za-z0-9_.-]*)[ \t\r\n]*>");
    std::vector<ModelToken> tokens;
    std::size_t text_from = 0, at = 0;
    const auto text_until = [&](std::size_t end) {
        if (end > text_from) {
            tokens.push_back(
                Make(ModelToken::Text, text_from, end, in.substr(text_from, end - text_from)));
        }
    };
    const auto past = [&](std::size_t from, const char* end) {
        const std::size_t found = in.find(end, from);
        return found == kNowhere ? in.size() : found + std::strlen(end);
    };
    const auto add = [&](ModelToken token) {
        text_until(token.begin);
        at = text_from = token.end;
        tokens.push_back(std::move(token));
    };
    std::size_t lt = 0;
    while ((lt = in.find('<', at)) != kNowhere) {
        const auto opens = [&](const char* opening) {
            return in.compare(lt, std::strlen(opening), opening) == 0;
        };
        if (opens("<!--")) {
            add(Make(ModelToken::Skipped, lt, past(lt + 4, "-->")));
        } else if (opens("<![CDATA[")) {
            const std::size_t close = in.find("]]>", lt + 9);
            const std::size_t contents_end = close == kNowhere ? in.size() : close;
            add(Make(ModelToken::CData, lt, close == kNowhere ? in.size() : close + 3,
                     in.substr(lt + 9, contents_end - lt - 9)));
        } else if (opens("<?")) {
            add(Make(ModelToken::Skipped, lt, past(lt + 2, "?>")));
        } else if (opens("<!DOCTYPE")) {
            const std::size_t close = in.find('>', lt + 9), subset = in.find('[', lt + 9);
            add(Make(ModelToken::Skipped, lt,
                     subset < close ? past(past(subset + 1, "]"), ">") : past(lt + 9, ">")));
        } else if (opens("<!")) {
            add(Make(ModelToken::Skipped, lt, past(lt + 2, ">")));
        } else {
            const std::string candidate = in.substr(lt, in.find('<', lt + 1) - lt);
            std::smatch tag;
            const auto flags = std::regex_constants::match_continuous;
            if (std::regex_search(candidate, tag, kStart, flags) &&
                static_cast<std::size_t>(tag.length(0)) <= kLongestStartTag) {
                add(Make(ModelToken::Start, lt, lt + static_cast<std::size_t>(tag.length(0)), {},
                         tag.str(1), tag.str(2), tag.length(3) > 0));
            } else if (std::regex_search(candidate, tag, kEnd, flags) &&
                       static_cast<std::size_t>(tag.length(0)) <= kLongestEndTag) {
                add(Make(ModelToken::End, lt, lt + static_cast<std::size_t>(tag.length(0)),
                         tag.str(1)));
            } else {
                at = lt + 1;  // this "<" is text
            }
        }
    }
    text_until(in.size());
    return tokens;
}

}  // namespace zaveze::testing
