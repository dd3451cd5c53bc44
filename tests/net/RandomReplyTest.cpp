// Random replies from real local servers: any valid one, framed and coded at
// random, in random pieces, over http or https, after random redirects, must
// store exactly the body sent; a cut, lying or reset one must fail and leave
// the page file alone; a cancel at any moment ends the fetch as cancelled.
// TE_NET_SEED and TE_NET_CASES run other and more cases.
#include "FetchFixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>

namespace {

using Random = std::mt19937;

const std::string oldPage = "the page before the fetch";

std::size_t below(Random& random, std::size_t bound)
{
    return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
}

unsigned setting(const char* name, unsigned fallback)
{
    const char* value = std::getenv(name);
    return value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

std::string randomBody(Random& random)
{
    const std::size_t sizes[] = {0, 300, 4096, 400 * 1024};
    const std::size_t size = below(random, sizes[below(random, 4)] + 1);
    const std::string text = "ab0f\r\n <p>;:Zz";
    const bool binary = below(random, 2) == 0;
    std::string body(size, '\0');
    for (char& c : body)
        c = binary ? static_cast<char>(below(random, 256)) : text[below(random, text.size())];
    return body;
}

std::string randomCase(Random& random, std::string text)
{
    for (char& c : text)
        c = below(random, 2) ? static_cast<char>(std::toupper(c)) : static_cast<char>(std::tolower(c));
    return text;
}

// A reply and what a fetch of it must give.
struct Served
{
    std::string reply;
    std::string page;
    std::size_t headerEnd = 0;
    std::size_t complete = 0; // the reply is whole from this many bytes on
    bool closeEnds = false;   // the close ends the body: a reset or a cut there cannot be whole
    bool mustFail = false;
    bool reset = false;
    std::vector<std::size_t> pieces{};
};

// A valid reply; with lie, one whose length or first chunk size is too large.
Served randomReply(Random& random, const std::string& page, bool lie)
{
    const int coding = static_cast<int>(below(random, 3)); // none, gzip, deflate
    const std::string encoded = coding == 0 ? page : compressed(page, coding == 1 ? 31 : 15);
    const int framing = static_cast<int>(below(random, 3)); // length, chunks, close
    const std::string eol = below(random, 4) ? "\r\n" : "\n";
    // A long field comes to the reader in pieces of its line window.
    std::vector<std::string> fields = {"Content-Type: text/html",
                                       "X-Long: " + std::string(below(random, 600), 'p')};
    const std::string codingName = coding == 1 ? "gzip" : "deflate";
    // The coding is the page's, or in chunks at times the transfer's.
    const bool codedTransfer = coding && framing == 1 && below(random, 2);
    if (coding && !codedTransfer)
        fields.push_back("Content-Encoding: " + codingName);
    if (framing == 0)
        fields.push_back("Content-Length: " +
                         std::to_string(encoded.size() + (lie ? 1 + below(random, 3) : 0)));
    if (framing == 1)
        fields.push_back("Transfer-Encoding: " + (codedTransfer ? codingName + ", " : "") + "chunked");
    std::shuffle(fields.begin(), fields.end(), random);
    Served served{"HTTP/1." + std::to_string(below(random, 2)) + " 200 OK" + eol, page};
    served.mustFail = lie && (framing == 0 || (framing == 1 && !encoded.empty()));
    for (const std::string& field : fields) {
        const std::size_t colon = field.find(':');
        served.reply += randomCase(random, field.substr(0, colon)) + ":" +
                        std::string(below(random, 3), ' ') + field.substr(colon + 2) + eol;
    }
    served.reply += eol;
    served.headerEnd = served.reply.size();
    served.closeEnds = framing == 2;
    if (framing != 1) {
        served.reply += encoded;
        // A compressed body is whole only at its end; an empty one is an empty page.
        served.complete =
            framing == 0 || (coding && !encoded.empty()) ? served.reply.size() : served.headerEnd;
        return served;
    }
    for (std::size_t at = 0; at < encoded.size();) {
        const std::size_t size = std::min(encoded.size() - at, 1 + below(random, 1 + below(random, 70000)));
        const std::size_t told = size + (lie && at == 0 ? 1 + below(random, 2) : 0);
        served.reply += randomCase(random, hexText(told)) + (below(random, 4) ? "" : ";ext=1") + eol +
                        encoded.substr(at, size) + eol;
        at += size;
    }
    served.reply += std::string(1 + below(random, 3), '0') + eol;
    // A server may close right after the last chunk.
    served.complete = served.reply.size();
    for (std::size_t trailers = below(random, 3); trailers > 0; --trailers)
        served.reply += "X-Trailer: " + std::to_string(trailers) + eol;
    served.reply += eol;
    return served;
}

// Writes of random sizes, some ending between a carriage return and its line feed.
std::vector<std::size_t> randomPieces(Random& random, const std::string& bytes)
{
    std::set<std::size_t> ends;
    for (std::size_t i = below(random, 40); i > 0 && !bytes.empty(); --i) {
        const std::size_t at = below(random, bytes.size());
        const std::size_t cr = bytes.find('\r', at);
        ends.insert(below(random, 2) && cr != std::string::npos ? cr + 1 : at);
    }
    std::vector<std::size_t> pieces;
    std::size_t start = 0;
    for (const std::size_t end : ends)
        pieces.push_back(end - start), start = end;
    return pieces;
}

// Redirects served by one server: relative ones to itself, the last an absolute one to target.
std::vector<Reply> redirects(Random& random, std::size_t count, const std::string& target)
{
    const std::string relative[] = {"/a/b/next.htm", "next.htm?x=1", "../c/./next.htm", "/d/next.htm#part"};
    std::vector<Reply> replies;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string status[] = {"301", "302", "303", "307", "308"};
        const std::string location = i + 1 < count ? relative[below(random, 4)] : target;
        replies.emplace_back("HTTP/1.0 " + status[below(random, 5)] + " Moved\r\n" +
                             randomCase(random, "Location") + ": " + location + "\r\n\r\n");
        replies.back().pieces = randomPieces(random, replies.back().bytes);
    }
    return replies;
}

class RandomReplies : public HttpGet
{
protected:
    // Serves served over http or https after 0 to 3 redirects, and fetches it.
    std::string fetch(Random& random, const Served& served)
    {
        std::ofstream(http.FileName.str(), std::ios::binary) << oldPage;
        const bool secure = below(random, 3) == 0;
        ServerScript script = servedOver(secure, {.reply = served.reply, .reset = served.reset});
        script.pieces = served.pieces;
        const std::size_t hops = below(random, 4);
        std::optional<ServerProcess> secureServer;
        std::optional<ScriptedServer> plainServer;
        if (secure) {
            secureServer.emplace(script);
        } else {
            Reply reply(served.reply);
            reply.pieces = served.pieces;
            reply.reset = served.reset;
            plainServer.emplace(reply);
        }
        const std::string target =
            randomCase(random, secure ? "https" : "http") +
            (secure ? secureServer->url("/page.htm") : plainServer->url("/page.htm")).substr(secure ? 5 : 4);
        if (hops == 0)
            return get(target);
        ScriptedServer hopServer(redirects(random, hops, target));
        return get(hopServer.url("/start/first.htm"));
    }

    std::filesystem::path folder() const { return std::filesystem::path(dir.file("x")).parent_path(); }
};

} // namespace

TEST_F(RandomReplies, StoreTheBodySentOrFailLeavingThePage)
{
    const unsigned seed = setting("TE_NET_SEED", 11);
    for (unsigned n = 0; n < setting("TE_NET_CASES", 24); ++n) {
        Random random(seed + n);
        const int variant = static_cast<int>(below(random, 4)); // valid, cut, lying, reset
        Served served = randomReply(random, randomBody(random), variant == 2);
        // Cut with an orderly close where that leaves the reply short, or
        // anywhere with a reset, which never ends a body that the close ends.
        served.reset = variant == 3;
        const std::size_t cut = below(random, (served.reset ? served.reply.size() : served.complete) + 1);
        const bool cutShort = cut < served.complete && !(served.closeEnds && cut == served.headerEnd);
        if ((variant == 1 && cutShort) || served.reset) {
            served.reply.resize(cut);
            served.mustFail = cutShort || served.closeEnds;
        }
        served.pieces = randomPieces(random, served.reply);
        SCOPED_TRACE("seed " + std::to_string(seed + n) + ", variant " + std::to_string(variant) +
                     ", reply size " + std::to_string(served.reply.size()) + ", header " +
                     served.reply.substr(0, served.headerEnd));
        const std::string error = fetch(random, served);
        // A reset after a whole reply may come before or after the client has read it.
        if (served.mustFail || !served.reset) {
            EXPECT_EQ(error.empty(), !served.mustFail) << error;
        }
        EXPECT_EQ(body(), error.empty() ? served.page : oldPage);
        EXPECT_FALSE(http.Connected());
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST_F(RandomReplies, ACancelAtAnyMomentEndsTheFetchAsCancelled)
{
    const unsigned seed = setting("TE_NET_SEED", 11);
    for (unsigned n = 0; n < setting("TE_NET_CASES", 24) / 2; ++n) {
        Random random(seed + n);
        Served served = randomReply(random, randomBody(random), false);
        served.pieces = randomPieces(random, served.reply);
        const std::size_t cancelAt = below(random, 60);
        std::size_t rounds = 0;
        setEventPump([&] {
            if (rounds++ == cancelAt)
                http.Abort();
        });
        SCOPED_TRACE("seed " + std::to_string(seed + n) + ", cancel in round " + std::to_string(cancelAt));
        const std::string error = fetch(random, served);
        setEventPump(nullptr);
        const bool canceled = rounds > cancelAt;
        EXPECT_EQ(error.empty(), !canceled) << error;
        if (canceled) {
            EXPECT_EQ(error.substr(error.size() - std::min<std::size_t>(error.size(), 8)), "Canceled");
        }
        EXPECT_EQ(body(), canceled ? oldPage : served.page);
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            EXPECT_TRUE(entry.path() == http.FileName.str() || entry.path() == http.HeaderName.str())
                << "left behind: " << entry.path();
        if (::testing::Test::HasFailure())
            return;
    }
}
