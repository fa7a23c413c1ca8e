#include "mysql_scanner.h"

namespace vantor {

bool TVnMySQLScanner::IsIdentQuote(char c) const { return c == '`'; }

char TVnMySQLScanner::IdentQuoteChar() const { return '`'; }

bool TVnMySQLScanner::QuoteAliases() const { return QuoteIdentifiers(); }

bool TVnMySQLScanner::IsStringEnd(char c, std::string_view collected, char quoteChar,
                                  char next) const {
  // Backslashes escape in strings only; in a back-quoted name they are plain characters.
  if (quoteChar == '`')
    return TVnSQLScanner::IsStringEnd(c, collected, quoteChar, next);
  if (c != quoteChar || next == quoteChar)
    return false;
  std::size_t run = 0;
  while (run < collected.size() && collected[collected.size() - 1 - run] == quoteChar)
    ++run;
  // Backslashes in front of the run: an odd number escapes its first quote (or, with no
  // run, this one); an even number are escaped backslashes themselves.
  std::size_t backslashes = 0;
  while (run + backslashes < collected.size() &&
         collected[collected.size() - 1 - run - backslashes] == '\\')
    ++backslashes;
  if (backslashes % 2 == 1) {
    if (run == 0)
      return false;
    --run;
  }
  return run % 2 == 0;
}

std::string TVnMySQLScanner::GetKeywords() const {
  return "ACTION,ADD,AGGREGATE,ALL,ALTER,AFTER,AND,AS,ASC,AVG_ROW_LENGTH,AUTO_INCREMENT,BETWEEN,"
         "BIGINT,BIT,BINARY,BLOB,BOOL,BOTH,BY,CASCADE,CASE,CHAR,CHARACTER,CHANGE,CHECK,CHECKSUM,"
         "COLUMN,COLUMNS,COMMENT,CONSTRAINT,CREATE,CROSS,CURRENT_DATE,CURRENT_TIME,"
         "CURRENT_TIMESTAMP,DATA,DATABASE,DATABASES,DATE,DATETIME,DAY,DAY_HOUR,DAY_MINUTE,"
         "DAY_SECOND,DAYOFMONTH,DAYOFWEEK,DAYOFYEAR,DEC,DECIMAL,DEFAULT,DELAYED,DELAY_KEY_WRITE,"
         "DELETE,DESC,DESCRIBE,DISTINCT,DISTINCTROW,DOUBLE,DROP,END,ELSE,ESCAPE,ESCAPED,ENCLOSED,"
         "ENUM,EXPLAIN,EXISTS,FIELDS,FILE,FIRST,FLOAT,FLOAT4,FLOAT8,FLUSH,FOREIGN,FROM,FOR,FULL,"
         "FUNCTION,GLOBAL,GRANT,GRANTS,GROUP,HAVING,HEAP,HIGH_PRIORITY,HOUR,HOUR_MINUTE,"
         "HOUR_SECOND,HOSTS,IDENTIFIED,IGNORE,IN,INDEX,INFILE,INNER,INSERT,INSERT_ID,INT,INTEGER,"
         "INTERVAL,INT1,INT2,INT3,INT4,INT8,INTO,IF,IS,ISAM,JOIN,KEY,KEYS,KILL,LAST_INSERT_ID,"
         "LEADING,LEFT,LENGTH,LIKE,LINES,LIMIT,LOAD,LOCAL,LOCK,LOGS,LONG,LONGBLOB,LONGTEXT,"
         "LOW_PRIORITY,MAX,MAX_ROWS,MATCH,MEDIUMBLOB,MEDIUMTEXT,MEDIUMINT,MIDDLEINT,MIN_ROWS,"
         "MINUTE,MINUTE_SECOND,MODIFY,MONTH,MONTHNAME,MYISAM,NATURAL,NUMERIC,NO,NOT,NULL,ON,"
         "OPTIMIZE,OPTION,OPTIONALLY,OR,ORDER,OUTER,OUTFILE,PACK_KEYS,PARTIAL,PRECISION,PRIMARY,"
         "PROCEDURE,PROCESS,PROCESSLIST,PRIVILEGES,READ,REAL,REFERENCES,RELOAD,REGEXP,RENAME,"
         "REPLACE,RESTRICT,RETURNS,REVOKE,RLIKE,ROW,ROWS,SECOND,SELECT,SET,SHOW,SHUTDOWN,"
         "SMALLINT,SONAME,SQL_BIG_TABLES,SQL_BIG_SELECTS,SQL_LOW_PRIORITY_UPDATES,SQL_LOG_OFF,"
         "SQL_LOG_UPDATE,SQL_SELECT_LIMIT,SQL_SMALL_RESULT,SQL_BIG_RESULT,SQL_WARNINGS,"
         "STRAIGHT_JOIN,STARTING,STATUS,STRING,TABLE,TABLES,TEMPORARY,TERMINATED,TEXT,THEN,TIME,"
         "TIMESTAMP,TINYBLOB,TINYTEXT,TINYINT,TRAILING,TO,TYPE,USE,USING,UNIQUE,UNLOCK,UNSIGNED,"
         "UPDATE,USAGE,VALUES,VARCHAR,VARIABLES,VARYING,VARBINARY,WITH,WRITE,WHEN,WHERE,YEAR,"
         "YEAR_MONTH,ZEROFILL";
}

std::string TVnMySQLScanner::GetFunctions() const {
  return "BIT_COUNT,IFNULL,NULLIF,IF,DAYOFWEEK,WEEKDAY,DAYOFMONTH,DAYOFYEAR,MONTH,DAYNAME,"
         "MONTHNAME,QUARTER,WEEK,YEAR,YEARWEEK,HOUR,MINUTE,SECOND,PERIOD_ADD,PERIOD_DIFF,DATE_ADD,"
         "DATE_SUB,ADDDATE,SUBDATE,TO_DAYS,FROM_DAYS,DATE_FORMAT,TIME_FORMAT,CURDATE,CURRENT_DATE,"
         "CURTIME,CURRENT_TIME,NOW,SYSDATE,CURRENT_TIMESTAMP,UNIX_TIMESTAMP,FROM_UNIXTIME,"
         "SEC_TO_TIME,TIME_TO_SEC,COUNT,AVG,MIN,MAX,SUM,STD,STDDEV,BIT_OR,BIT_AND,ABS,SIGN,MOD,"
         "FLOOR,CEILING,ROUND,EXP,LOG,LOG10,POW,POWER,SQRT,PI,COS,SIN,TAN,ACOS,ASIN,ATAN,ATAN2,"
         "COT,RAND,LEAST,GREATEST,DEGREES,RADIANS,TRUNCATE,DATABASE,USER,SYSTEM_USER,"
         "SESSION_USER,PASSWORD,ENCRYPT,ENCODE,DECODE,MD5,LAST_INSERT_ID,FORMAT,VERSION,"
         "CONNECTION_ID,GET_LOCK,RELEASE_LOCK,BENCHMARK,INET_NTOA,INET_ATON,MASTER_POS_WAIT,"
         "ASCII,ORD,CONV,BIN,OCT,HEX,CHAR,CONCAT,CONCAT_WS,LENGTH,OCTET_LENGTH,CHAR_LENGTH,"
         "CHARACTER_LENGTH,LOCATE,POSITION,LOCATE,INSTR,LPAD,RPAD,LEFT,RIGHT,SUBSTRING,MID,"
         "SUBSTRING_INDEX,LTRIM,RTRIM,TRIM,SOUNDEX,SPACE,REPLACE,REPEAT,REVERSE,ELT,FIELD,"
         "FIND_IN_SET,MAKE_SET,EXPORT_SET,LCASE,LOWER,UCASE,UPPER,LOAD_FILE,COALESCE";
}

std::string TVnMySQLScanner::QuoteString(std::string_view value) const {
  std::string result;
  result.reserve(value.size() + 2);
  result += '\'';
  for (char c : value) {
    if (c == '\\')
      result += "\\\\";
    else if (c == '\'')
      result += "''";
    else if (c == '\0')
      result += "\\0";
    else
      result += c;
  }
  result += '\'';
  return result;
}

}  // namespace vantor
