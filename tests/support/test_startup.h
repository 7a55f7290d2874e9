#pragma once

// Supplied by each test program: registers the modules it tests and
// starts them.
void test_startup();
