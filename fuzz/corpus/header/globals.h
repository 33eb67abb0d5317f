extern "C" {
extern int g_a, g_b;
static const char* s_sz = "a;b{c}";
int f(void);
static inline int g(int a, int b = 2) { return a + b; }
unsigned long long h(const char* const* p, ...);
int f(void);
}
namespace ns { class N { public: void m(); }; }
class Fwd;
typedef int INT;
int (*pf)(int);
int arr[3] = { 1, 2, 3 };
