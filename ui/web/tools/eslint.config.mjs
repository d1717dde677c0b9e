// ESLint's recommended rules over the page's scripts, its tests and tools, and the page's
// benchmark. .ci/eslint.sh runs ESLint from the repository's root with this file named, so the
// patterns below are taken from the root; the rules come from this folder's node_modules.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['**/node_modules/', 'build*/'] },
  js.configs.recommended,
  {
    files: ['**/*.js', '**/*.mjs'],
    languageOptions: {
      ecmaVersion: 'latest',
      sourceType: 'module',
      globals: { ...globals.browser, ...globals.node },
    },
  },
  {
    // The service worker is a classic script with a worker's globals.
    files: ['ui/web/sw.js'],
    languageOptions: { sourceType: 'script', globals: { ...globals.serviceworker } },
  },
];
