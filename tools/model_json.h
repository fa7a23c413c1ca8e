#pragma once

#include <nlohmann/json.hpp>

namespace vantor {
class TVnSelectParser;
}

// The query model as JSON, as the parser left it: GROUP BY is what the text said, not what
// rendering would derive from the select list. The MySQL filter, options and LIMIT appear
// only for a MySQL root.
nlohmann::ordered_json ModelToJson(const vantor::TVnSelectParser& root);
