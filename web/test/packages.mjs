// The test's npm packages (web/test/package.json), installed by
// scripts/web/test_web.sh into a cache outside the clone (GRAZE_NODE_MODULES).
import { createRequire } from 'node:module';
import { join } from 'node:path';

const modules = process.env.GRAZE_NODE_MODULES;
if (!modules) throw new Error("GRAZE_NODE_MODULES does not name the test's node modules");
export const need = createRequire(join(modules, 'test.js'));
