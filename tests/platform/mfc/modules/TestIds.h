// Resource ids shared by the test program and the test modules.
#define IDS_SHARED 100
#define IDS_EXTENSION_ONLY 200
#define IDS_PROGRAM_ONLY 300
#define IDS_FORMAT 301
#define IDS_REGULAR_ONLY 400
#define IDS_MISSING 999
#define IDR_DATA 5
#define IDD_SAMPLE 20001
