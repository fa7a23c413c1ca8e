#include "sakila_catalog.h"

#include <algorithm>

namespace sakila {

namespace {

constexpr TColumnType kInt = TColumnType::Integer;
constexpr TColumnType kDec = TColumnType::Decimal;
constexpr TColumnType kText = TColumnType::Text;
constexpr TColumnType kDate = TColumnType::Date;

const std::vector<std::string> kRatings{"G", "PG", "PG-13", "R", "NC-17"};
const std::vector<std::string> kFeatures{"Trailers", "Commentaries", "Deleted Scenes",
                                         "Behind the Scenes"};

} // namespace

const TColumn* TTable::Column(const std::string& name) const {
  for (const TColumn& column : Columns)
    if (column.Name == name)
      return &column;
  return nullptr;
}

// Read once from information_schema.COLUMNS of the sandbox's sakila database.
const std::vector<TTable>& Tables() {
  static const std::vector<TTable> tables{
      {"actor",
       false,
       {{"actor_id", kInt, {}},
        {"first_name", kText, {}},
        {"last_name", kText, {}},
        {"last_update", kDate, {}}}},
      {"actor_info",
       true,
       {{"actor_id", kInt, {}},
        {"first_name", kText, {}},
        {"last_name", kText, {}},
        {"film_info", kText, {}}}},
      {"address",
       false,
       {{"address_id", kInt, {}},
        {"address", kText, {}},
        {"address2", kText, {}},
        {"district", kText, {}},
        {"city_id", kInt, {}},
        {"postal_code", kText, {}},
        {"phone", kText, {}},
        {"last_update", kDate, {}}}},
      {"category",
       false,
       {{"category_id", kInt, {}}, {"name", kText, {}}, {"last_update", kDate, {}}}},
      {"city",
       false,
       {{"city_id", kInt, {}},
        {"city", kText, {}},
        {"country_id", kInt, {}},
        {"last_update", kDate, {}}}},
      {"country",
       false,
       {{"country_id", kInt, {}}, {"country", kText, {}}, {"last_update", kDate, {}}}},
      {"customer",
       false,
       {{"customer_id", kInt, {}},
        {"store_id", kInt, {}},
        {"first_name", kText, {}},
        {"last_name", kText, {}},
        {"email", kText, {}},
        {"address_id", kInt, {}},
        {"active", kInt, {}},
        {"create_date", kDate, {}},
        {"last_update", kDate, {}}}},
      {"customer_list",
       true,
       {{"ID", kInt, {}},
        {"name", kText, {}},
        {"address", kText, {}},
        {"zip code", kText, {}},
        {"phone", kText, {}},
        {"city", kText, {}},
        {"country", kText, {}},
        {"notes", kText, {}},
        {"SID", kInt, {}}}},
      {"film",
       false,
       {{"film_id", kInt, {}},
        {"title", kText, {}},
        {"description", kText, {}},
        {"release_year", TColumnType::Year, {}},
        {"language_id", kInt, {}},
        {"original_language_id", kInt, {}},
        {"rental_duration", kInt, {}},
        {"rental_rate", kDec, {}},
        {"length", kInt, {}},
        {"replacement_cost", kDec, {}},
        {"rating", TColumnType::Enum, kRatings},
        {"special_features", TColumnType::Set, kFeatures},
        {"last_update", kDate, {}}}},
      {"film_actor",
       false,
       {{"actor_id", kInt, {}}, {"film_id", kInt, {}}, {"last_update", kDate, {}}}},
      {"film_category",
       false,
       {{"film_id", kInt, {}}, {"category_id", kInt, {}}, {"last_update", kDate, {}}}},
      {"film_list",
       true,
       {{"FID", kInt, {}},
        {"title", kText, {}},
        {"description", kText, {}},
        {"category", kText, {}},
        {"price", kDec, {}},
        {"length", kInt, {}},
        {"rating", TColumnType::Enum, kRatings},
        {"actors", kText, {}}}},
      {"film_text",
       false,
       {{"film_id", kInt, {}}, {"title", kText, {}}, {"description", kText, {}}}},
      {"inventory",
       false,
       {{"inventory_id", kInt, {}},
        {"film_id", kInt, {}},
        {"store_id", kInt, {}},
        {"last_update", kDate, {}}}},
      {"language",
       false,
       {{"language_id", kInt, {}}, {"name", kText, {}}, {"last_update", kDate, {}}}},
      {"payment",
       false,
       {{"payment_id", kInt, {}},
        {"customer_id", kInt, {}},
        {"staff_id", kInt, {}},
        {"rental_id", kInt, {}},
        {"amount", kDec, {}},
        {"payment_date", kDate, {}},
        {"last_update", kDate, {}}}},
      {"rental",
       false,
       {{"rental_id", kInt, {}},
        {"rental_date", kDate, {}},
        {"inventory_id", kInt, {}},
        {"customer_id", kInt, {}},
        {"return_date", kDate, {}},
        {"staff_id", kInt, {}},
        {"last_update", kDate, {}}}},
      {"sales_by_film_category", true, {{"category", kText, {}}, {"total_sales", kDec, {}}}},
      {"sales_by_store",
       true,
       {{"store", kText, {}}, {"manager", kText, {}}, {"total_sales", kDec, {}}}},
      {"staff",
       false,
       {{"staff_id", kInt, {}},
        {"first_name", kText, {}},
        {"last_name", kText, {}},
        {"address_id", kInt, {}},
        {"picture", TColumnType::Blob, {}},
        {"email", kText, {}},
        {"store_id", kInt, {}},
        {"active", kInt, {}},
        {"username", kText, {}},
        {"password", kText, {}},
        {"last_update", kDate, {}}}},
      {"staff_list",
       true,
       {{"ID", kInt, {}},
        {"name", kText, {}},
        {"address", kText, {}},
        {"zip code", kText, {}},
        {"phone", kText, {}},
        {"city", kText, {}},
        {"country", kText, {}},
        {"SID", kInt, {}}}},
      {"store",
       false,
       {{"store_id", kInt, {}},
        {"manager_staff_id", kInt, {}},
        {"address_id", kInt, {}},
        {"last_update", kDate, {}}}},
  };
  return tables;
}

const std::vector<TLink>& Links() {
  static const std::vector<TLink> links{
      {"film_actor", "actor_id", "actor", "actor_id"},
      {"film_actor", "film_id", "film", "film_id"},
      {"film_category", "film_id", "film", "film_id"},
      {"film_category", "category_id", "category", "category_id"},
      {"film", "language_id", "language", "language_id"},
      {"film", "original_language_id", "language", "language_id"},
      {"film_text", "film_id", "film", "film_id"},
      {"inventory", "film_id", "film", "film_id"},
      {"inventory", "store_id", "store", "store_id"},
      {"rental", "inventory_id", "inventory", "inventory_id"},
      {"rental", "customer_id", "customer", "customer_id"},
      {"rental", "staff_id", "staff", "staff_id"},
      {"payment", "customer_id", "customer", "customer_id"},
      {"payment", "staff_id", "staff", "staff_id"},
      {"payment", "rental_id", "rental", "rental_id"},
      {"customer", "store_id", "store", "store_id"},
      {"customer", "address_id", "address", "address_id"},
      {"staff", "address_id", "address", "address_id"},
      {"staff", "store_id", "store", "store_id"},
      {"store", "manager_staff_id", "staff", "staff_id"},
      {"store", "address_id", "address", "address_id"},
      {"address", "city_id", "city", "city_id"},
      {"city", "country_id", "country", "country_id"},
      {"actor_info", "actor_id", "actor", "actor_id"},
      {"customer_list", "ID", "customer", "customer_id"},
      {"customer_list", "SID", "store", "store_id"},
      {"film_list", "FID", "film", "film_id"},
      {"staff_list", "ID", "staff", "staff_id"},
      {"staff_list", "SID", "store", "store_id"},
      {"sales_by_film_category", "category", "category", "name"},
  };
  return links;
}

const TTable* FindTable(const std::string& name) {
  for (const TTable& table : Tables())
    if (table.Name == name)
      return &table;
  return nullptr;
}

bool IsPlainName(const std::string& name) {
  static const std::vector<std::string> reserved{"select", "from",  "order", "group", "key",
                                                 "table",  "where", "limit", "join",  "desc"};
  if (name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") !=
      std::string::npos)
    return false;
  for (const std::string& word : reserved)
    if (word.size() == name.size() && std::equal(word.begin(), word.end(), name.begin(),
                                                 [](char a, char b) { return a == (b | 0x20); }))
      return false;
  return true;
}

} // namespace sakila
