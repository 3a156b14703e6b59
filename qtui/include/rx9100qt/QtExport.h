#pragma once
// What librx9100qt.so exports: installing the Qt renderer, its runner and services, and
// the spectrum drawing. Its widgets stay hidden.
#define RX9100QT_API __attribute__((visibility("default")))
