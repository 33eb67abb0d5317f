/* a /* b */ int a; /* c */ int b; // d
/* open
 still
 int x; // */ int y;
*/ int z;
const char* s = "http://x" "y";
#define M(a) \
  a
int w; */ /*
