class A { int a; void f(); };
struct B { int b; };
int g(int);
