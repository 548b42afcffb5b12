#include "BankWriter.h"
