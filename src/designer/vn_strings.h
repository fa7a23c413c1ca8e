#pragma once

// The designer's string table: every text the user sees, in one translatable table
// (context "Vantor"). Look a text up by its identifier: VnText(sCriterions).

#include <QString>

namespace vantor {

enum TVnTextId : int {
  sCriterions,
  sSelection,
  sGroupCriterions,
  sSorting,
  sInvalidWorkAreaParent,   // "Given parent is not valid for WorkArea!"
  sInvalidTableParent,      // "Invalid parent for table object!"
  sTableWithAlias,          // "Table with alias"
  sAlreadyExist,            // "already exist"
  sInsertPoint,
  sDeletePoint,
  sDeleteLink,
  sProperty,
  sDeleteLinkQuestion,      // "Do you really want to delete the link between "
  sAnd,
  sAttention,
  sConfirmation,
  sInvalidIndex,            // "Invalid index = %d "
  sInvalidLinkTable,        // "Invalid table %s in Link control"
  sTextCount
};

// The (translated) text.
QString VnText(TVnTextId id);
// The untranslated source text, for tests and messages that must match the original wording.
const char* VnSourceText(TVnTextId id);

}  // namespace vantor
