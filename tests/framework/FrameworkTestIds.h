// Resources that only the framework's tests use.
#pragma once

#define IDD_TEST_CONTROLS       41000
#define IDD_TEST_MISSING        41999

#define IDC_TEST_BUTTON         41001
#define IDC_TEST_COMBO          41002
#define IDC_TEST_FIXED_LIST     41003
#define IDC_TEST_VARIABLE_LIST  41004
#define IDC_TEST_STATIC         41005
#define IDC_TEST_EDIT           41006
#define IDC_TEST_LISTVIEW       41007
