// Laid out against the project's format on purpose (tests/lint); never built.
int   badlyFormatted( int a,int b ) { if(a) return b; return a+b; }
