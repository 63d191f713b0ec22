#include "demodata/order_entry_tables.h"

#include "demodata/order_entry_schema.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace {

// A prefix and a number, appended into one string: g++ 12 at -O3 warns
// falsely (-Wrestrict) about a literal added to a temporary string.
std::string numbered(const char* prefix, long number)
{
    std::string text(prefix);
    text += std::to_string(number);
    return text;
}

using jet4::ColumnType;
using jet4::Null;
using jet4::Value;

constexpr std::array Companies = {"Acme",      "Bluewater", "Cedar",     "Dunmore",  "Eastgate",
                                  "Fairview",  "Granite",   "Harbor",    "Ironwood", "Juniper",
                                  "Keystone",  "Lakeside",  "Maple",     "Northway", "Oakridge",
                                  "Pinecrest", "Quarry",    "Riverside", "Summit",   "Timberline"};
constexpr std::array Kinds = {"Printing",  "Dental Group", "Realty", "Bakery",          "Motors",
                              "Insurance", "Law Office",   "Church", "School District", "Café"};
constexpr std::array Streets = {"Main St", "Oak Ave",  "Elm St",  "Market St", "Church Rd",
                                "Mill Rd", "Park Ave", "Lake Dr", "Hill St",   "River Rd"};
constexpr std::array Cities = {"Springfield", "Riverton",   "Fairfield", "Greenville", "Madison",
                               "Clinton",     "Georgetown", "Salem",     "Franklin",   "Ashland"};
constexpr std::array States = {"OH", "PA", "NY", "IN", "MI", "WV", "KY", "IL"};
constexpr std::array Contacts = {"Pat Jones",  "Lee Miller", "Sam Ortiz",   "Kim Novak",
                                 "Chris Dale", "Jo Brenner", "Alex Moreau", "Dana Weiß"};
constexpr std::array Products = {"Brochures", "Business Cards", "Letterhead",   "Envelopes #10",
                                 "Postcards", "Flyers",         "Booklets",     "NCR Forms",
                                 "Labels",    "Posters",        "Door Hangers", "Menus"};
constexpr std::array Stocks = {"100# gloss text", "70# offset",      "14 pt C2S",
                               "24# bond",        "80# matte cover", "3-part NCR"};

class Generator
{
public:
    explicit Generator(std::uint32_t seed)
        : m_engine(seed)
    {
    }

    int below(int limit)
    {
        return static_cast<int>(m_engine() % static_cast<std::uint32_t>(limit));
    }
    bool chance(int percent) { return below(100) < percent; }

    template<typename List>
    std::string pick(const List& list)
    {
        return list[static_cast<std::size_t>(below(static_cast<int>(list.size())))];
    }

    std::string phone()
    {
        char text[48];
        std::snprintf(text, sizeof text, "(%03d) %03d-%04d", 200 + below(700), 200 + below(700),
                      below(10000));
        return text;
    }

    std::string zip()
    {
        char text[24];
        std::snprintf(text, sizeof text, "%05d", 10000 + below(89999));
        return text;
    }

    std::string street() { return std::to_string(1 + below(9999)) + " " + pick(Streets); }

private:
    std::mt19937 m_engine;
};

std::string jobNumber(int job)
{
    char text[12];
    std::snprintf(text, sizeof text, "%08d", job);
    return text;
}

Value nullOr(bool isNull, Value value)
{
    return isNull ? Value(Null) : std::move(value);
}

struct Client
{
    int id;
    std::string name;
};

} // namespace

std::vector<jet4::Table> makeOrderEntryTables(const OrderEntrySize& size)
{
    Generator random(20261206);

    jet4::Table clients = clientSchema();

    std::vector<Client> known;
    for (int i = 0; i < size.clients; ++i) {
        const int id = 1 + i;
        std::string name = random.pick(Companies) + " " + random.pick(Kinds);
        if (i % 7 == 3)
            name += numbered(" ", i);
        const bool noName = random.chance(1);
        clients.rows.push_back(
            {id, nullOr(noName, name), random.street(),
             nullOr(!random.chance(15), numbered("Suite ", 100 + random.below(400))),
             nullOr(random.chance(2), random.pick(Cities)),
             nullOr(random.chance(3), random.pick(States)), nullOr(random.chance(3), random.zip()),
             nullOr(random.chance(20), random.pick(Contacts)),
             nullOr(random.chance(5), random.phone())});
        known.push_back({id, noName ? std::string() : name});
    }

    jet4::Table addresses = addressesSchema();

    std::vector<std::pair<int, std::string>> shipTo; // address id and name, by client
    shipTo.resize(static_cast<std::size_t>(size.clients));
    for (int i = 0; i < size.addresses; ++i) {
        const int id = 1 + i;
        const Client& client = known[static_cast<std::size_t>(random.below(size.clients))];
        const std::string name =
            random.pick(Companies) + " " +
            (random.chance(50) ? std::string("Warehouse") : std::string("Plant"));
        addresses.rows.push_back(
            {id, name, random.street(),
             nullOr(!random.chance(10), numbered("Dock ", 1 + random.below(9))),
             random.pick(Cities), nullOr(random.chance(3), random.pick(States)),
             nullOr(random.chance(3), random.zip()), client.id});
        shipTo[static_cast<std::size_t>(client.id - 1)] = {id, name};
    }

    jet4::Table jobLog = jobLogSchema();

    jet4::Table orders = ordersSchema();

    std::vector<std::vector<Value>> lateParts;

    for (int j = 0; j < size.jobs; ++j) {
        const std::string job = jobNumber(10001 + j);
        const Client& client = known[static_cast<std::size_t>(random.below(size.clients))];
        const std::string product = random.pick(Products);
        const bool quoted = random.chance(10);
        const std::string quoteNo = numbered("Q", 5001 + j);

        jobLog.rows.push_back({job, nullOr(random.chance(2), product + " for " + client.name),
                               nullOr(random.chance(2), random.chance(60) ? "1" : "0"),
                               quoted              ? Value(quoteNo)
                               : random.chance(50) ? Value("")
                                                   : Value(Null)});

        const Value accountName = nullOr(random.chance(1) || client.name.empty(), client.name);
        const Value phone = nullOr(random.chance(4), random.phone());
        const Value purchaseOrder =
            nullOr(random.chance(20), numbered("PO-", 40000 + random.below(60000)));
        const auto& [shipId, shipName] = shipTo[static_cast<std::size_t>(client.id - 1)];
        const Value shipToId = shipId != 0 && random.chance(70) ? Value(shipId) : Value(Null);
        const Value shipToName = shipToId.isNull() ? Value(Null) : Value(shipName);

        auto line = [&](int part, const char* kind) -> std::vector<Value> {
            return {job,
                    part,
                    kind,
                    nullOr(random.chance(1),
                           product + ", part " + std::to_string(part) + ", " + random.pick(Stocks)),
                    accountName,
                    client.id,
                    phone,
                    nullOr(random.chance(1), 250 * (1 + random.below(200))),
                    client.id,
                    purchaseOrder,
                    shipToId,
                    shipToName};
        };
        if (quoted)
            orders.rows.push_back(line(1, "Q"));
        const int parts = 1 + (j * 7) % 5; // 1 to 5, three on average
        for (int part = 1; part <= parts; ++part)
            orders.rows.push_back(line(part, "J"));
        if (j % 100 == 42)
            lateParts.push_back(line(parts + 1, "J"));
    }
    for (auto& row : lateParts)
        orders.rows.push_back(std::move(row));

    return {std::move(orders), std::move(clients), std::move(addresses), std::move(jobLog)};
}
