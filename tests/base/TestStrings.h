// String resources that only the tests of the string loader need.
#pragma once

#define IDS_TEST_254    40001
#define IDS_TEST_255    40002
#define IDS_TEST_2558   40003
#define IDS_TEST_2559   40004
#define IDS_TEST_30000  40005
#define IDS_TEST_FORMAT 40006
